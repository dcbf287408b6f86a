// The sample configuration written as an old file with user-defined
// workforms.
#include "convert/sample_v2_config.h"

#include "config/cfg_file.h"
#include "config/sample_config.h"
#include "convert/user_workforms.h"
#include "convert/version2_writer.h"

namespace recaster::convert {

void WriteSampleV2Config(const std::string& path, store::FileSystem& fs) {
    // The sample is built in memory and only its records are written out.
    store::MemFileSystem scratch;
    config::CCfgFile sample(scratch);
    sample.Create("/sample.cfg");
    sample.Open("/sample.cfg", store::OpenMode::ReadWrite);
    config::BuildSampleConfig(sample);

    Version2Options options;
    options.recodeWorkform = [](uint16_t w) -> uint16_t {
        if (w == kSampleConference) return kFirstUserWorkform;  // U
        if (w == kSampleReport) return kFirstUserWorkform + 1;  // V
        return w;
    };
    WriteVersion2File(sample, path, fs, options);
}

}  // namespace recaster::convert
