// The file picker's Add All and Add on a folder of N files, offscreen: choosing every file of the folder, then
// choosing them all again (every one a duplicate). Run by hand in a Release build; see README.md.

#include "TPickerForm.h"
#include "WindowBenchSupport.h"

namespace {

using namespace bench;

// The seconds of one click on the button; the chosen list must then hold expected files.
double ClickSeconds(TPickerForm& picker, QAbstractButton& button, int expected)
{
    const auto start = Clock::now();
    button.click();
    const double seconds = SecondsSince(start);
    if (picker.Selected->count() != expected)
        throw std::runtime_error("the picker chose " + std::to_string(picker.Selected->count()) + " files");
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    WindowBenchProcess process(argc, argv);
    const long files = NumberOption(argc, argv, "--files", 10'000);
    Forms windows;
    TPickerForm& picker = windows.PickerForm();
    std::printf("Picker (seconds): Add All into an empty choice, then Add of every file again (all duplicates)\n");
    for (const long count : {files / 4, files / 2, files}) {
        const std::filesystem::path folder = process.Directory() / std::to_string(count);
        std::filesystem::create_directory(folder);
        for (long i = 0; i < count; ++i)
            WriteFile(folder / ("song " + std::to_string(i) + ".mp3"), {});
        picker.Prepare();
        picker.SetDirectory(folder.string());
        const double all = ClickSeconds(picker, *picker.AddAll, static_cast<int>(count));
        picker.FileList->selectAll();
        const double again = ClickSeconds(picker, *picker.Add1, static_cast<int>(count));
        std::printf("  %6ld files   Add All %6.3f   Add %6.3f\n", count, all, again);
    }
}
