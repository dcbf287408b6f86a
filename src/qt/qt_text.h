// Texts at the edge between the model (Windows-1252 std::string) and Qt
// (QString), and file-system paths (bytes) to and from QString.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace recaster::qt {

QString FromModel(std::string_view cp1252);
// The text in Windows-1252, or nothing when a character has no place in it.
std::optional<std::string> ToModel(const QString& text);
// The first character of `text` that Windows-1252 cannot hold.
QString FirstRefusedCharacter(const QString& text);

QString FromPath(std::string_view path);
std::string ToPath(const QString& path);

}  // namespace recaster::qt
