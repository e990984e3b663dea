// Loading and saving the keyboard profile document, as the keyboard page does
// on every profile selection and every change.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "profile/json_file.h"
#include "profile/profile_data.h"

namespace {

// A copy of the factory keyboard document in a private temporary folder.
class KeyboardDocument {
public:
    KeyboardDocument() {
        folder_ = std::filesystem::temp_directory_path() / ("r88-profile-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "2024_05_01_13_45_12_345.Json").string();
        std::filesystem::copy_file(r88::DefaultDocumentPath("keyboard"), path_,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~KeyboardDocument() { std::filesystem::remove_all(folder_); }
    const std::string& Path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

// Load the document, read the sections the keyboard applies, change the
// light state and save: one atomic, flushed write of the whole document.
void BM_KeyboardProfileLoadSave(benchmark::State& state) {
    KeyboardDocument doc;
    r88::CKeyboardProfiledata data;
    data.SetDefaultDocumentPath(r88::DefaultDocumentPath("keyboard"));
    data.SetDocumentPath(doc.Path());
    std::uint8_t red = 0;
    for (auto _ : state) {
        data.Load(doc.Path());
        benchmark::DoNotOptimize(data.ReadKeyList());
        r88::LightState light = data.ReadLightState();
        benchmark::DoNotOptimize(data.ReadKeyboardSystem());
        benchmark::DoNotOptimize(data.ReadCustomLightColours(data.ReadCustomLightGroup(), 126));
        light.red = ++red;
        data.WriteLightState(light);
        if (data.Save() != 0) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_KeyboardProfileLoadSave)->Unit(benchmark::kMicrosecond);

// The same without the disk: parse the document and format it again.
void BM_KeyboardProfileParseFormat(benchmark::State& state) {
    KeyboardDocument doc;
    r88::CJsonFile file;
    const std::string text = file.ReadText(doc.Path());
    for (auto _ : state) {
        Json::CharReaderBuilder builder;
        builder["stackLimit"] = r88::CJsonFile::kMaxDepth;
        Json::Value root;
        std::string errors;
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        reader->parse(text.data(), text.data() + text.size(), &root, &errors);
        benchmark::DoNotOptimize(r88::CJsonFile::StyledText(root));
    }
}
BENCHMARK(BM_KeyboardProfileParseFormat)->Unit(benchmark::kMicrosecond);

}  // namespace
