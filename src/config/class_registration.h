// Helper for the runtime class records of the configuration classes, so that
// clipboard streams and 'STP#' records can create them by class name.
#pragma once

#include <memory>

#include "base/runtime_class.h"

namespace recaster::config {

template <typename T>
std::unique_ptr<ArchiveObject> CreateArchiveObject() {
    return std::make_unique<T>();
}

}  // namespace recaster::config
