// Output selection and the existing-file rule: counted names, DELETE, BREAK, VERSION.
#include <sys/stat.h>
#include <unistd.h>
#include "gravox/core/all_records.h"

#include <cstring>

#include "tests/core/frame_fixture.h"

namespace gvx::testing {
namespace {

using FileNaming = FrameTest;

// Resolves a name with the current file mode and returns the result.
std::string resolved(PlotState& s, const char* name, int* number = nullptr) {
    char buffer[257];
    copy_text(buffer, name, 256);
    const Warning result = resolve_output_file(s, buffer);
    if (number) *number = warning_number(result);
    return buffer;
}

TEST_F(FileNaming, MetaflKeywordsAndDeviceCodes) {
    g_.metafl("png");
    EXPECT_EQ(s().frame.device, 604);
    EXPECT_STREQ(s().frame.format_keyword, "PNG");
    g_.metafl("PNG ");
    EXPECT_EQ(s().frame.device, 604);
    g_.metafl("MET5");
    EXPECT_EQ(s().frame.device, 80);
    g_.metafl("cons");
    EXPECT_EQ(s().frame.device, 80);
    g_.metafl("svg");
    EXPECT_EQ(s().frame.device, 801);
    g_.metafl("hpa3");
    EXPECT_EQ(s().frame.device, 403);
    std::string out = output_of([&] { g_.metafl("GL"); });
    EXPECT_EQ(out, " <<<< Warning 181: OPENGL is not supported in metafl!\n");
    EXPECT_EQ(s().frame.device, 80);
    out = output_of([&] { g_.metafl("JPEG"); });
    EXPECT_EQ(out, " <<<< Warning   2: Incorrect parameter in metafl!   (JPEG)\n");
    EXPECT_EQ(s().frame.device, 80);
    EXPECT_STREQ(s().frame.format_keyword, "GL");
}

TEST_F(FileNaming, ExtensionsOfTheDeviceCodes) {
    EXPECT_STREQ(output_extension(604), "png");
    EXPECT_STREQ(output_extension(403), "hpg");
    EXPECT_STREQ(output_extension(502), "psc");
    EXPECT_STREQ(output_extension(701), "java");
    EXPECT_STREQ(output_extension(80), "   ");
}

TEST_F(FileNaming, CountModeCutsTheBaseToEightCharacters) {
    touch("gravox.png");
    for (int i = 1; i <= 9; ++i) touch("gravox_" + std::to_string(i) + ".png");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gravo_10.png");
    for (int i = 10; i <= 99; ++i) touch("gravo_" + std::to_string(i) + ".png");
    EXPECT_EQ(resolved(s(), "gravox.png"), "grav_100.png");
}

TEST_F(FileNaming, VersionModeKeepsTheBase) {
    g_.filmod("VERSION");
    touch("gravox.png");
    for (int i = 1; i <= 9; ++i) touch("gravox_" + std::to_string(i) + ".png");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gravox_10.png");
    for (int i = 10; i <= 99; ++i) touch("gravox_" + std::to_string(i) + ".png");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gravox_100.png");
}

TEST_F(FileNaming, SeparatorsAndLongNumbers) {
    touch("gravox.png");
    g_.filopt("NONE", "SEPARATOR");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gravox1.png");
    g_.filopt("HYPHEN", "SEPA");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gravox-1.png");
    g_.filopt("UNDERSCORE", "SEPA");
    g_.filopt("LONG", "NUMBERS");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gra_0001.png");
    g_.filopt("6", "DIGITS");
    EXPECT_EQ(resolved(s(), "gravox.png"), "g_000001.png");
    g_.filmod("VERS");
    g_.filopt("4", "DIGITS");
    EXPECT_EQ(resolved(s(), "gravox.png"), "gravox_0001.png");
}

TEST_F(FileNaming, NamesWithoutDotAndWithDirectories) {
    touch("figure");
    EXPECT_EQ(resolved(s(), "figure"), "figure_1");
    std::filesystem::create_directory("plots.d");
    touch("plots.d/result.png");
    EXPECT_EQ(resolved(s(), "plots.d/result.png"), "plots.d/result_1.png");
    touch("plots.d/longername.png");
    // The cut counts from the start of the file part, not of the whole name.
    EXPECT_EQ(resolved(s(), "plots.d/longername.png"), "plots.d/longer_1.png");
    touch("plots.d/noext");
    EXPECT_EQ(resolved(s(), "plots.d/noext"), "plots.d/noext_1");
}

TEST_F(FileNaming, TooManyFileVersions) {
    g_.filopt("2", "DIGI");
    touch("gravox.png");
    for (int i = 1; i <= 9; ++i) touch("gravox_" + std::to_string(i) + ".png");
    for (int i = 10; i <= 99; ++i) touch("gravo_" + std::to_string(i) + ".png");
    int number = 0;
    EXPECT_EQ(resolved(s(), "gravox.png", &number), "gravox.png");
    EXPECT_EQ(number, 170);
    // The plot is not opened and the warning names the reason.
    g_.metafl("PNG");
    std::string out = output_of([&] { g_.gvxini(); });
    EXPECT_EQ(out, " <<<< Warning 170: Too many file versions in gvxini!\n");
    EXPECT_EQ(s().frame.level, 0);
}

TEST_F(FileNaming, BreakRefusesAnExistingFileAndLeavesItUntouched) {
    g_.metafl("PNG");
    g_.filmod("BREAK");
    touch("gravox.png", "precious");
    std::string out = output_of([&] { g_.gvxini(); });
    EXPECT_EQ(out, " <<<< Warning 169: Plotfile does exist in gvxini!\n");
    EXPECT_EQ(s().frame.level, 0);
    EXPECT_EQ(read_file("gravox.png"), "precious");
}

TEST_F(FileNaming, DeleteReplacesAnExistingFile) {
    g_.metafl("PNG");
    g_.filmod("DELETE");
    touch("gravox.png", "old picture");
    g_.gvxini();
    EXPECT_EQ(s().frame.level, 1);
    output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(read_file("gravox.png"), "stub picture\n");
    EXPECT_FALSE(exists("gravox_1.png"));
}

TEST_F(FileNaming, CountModeNeverOverwrites) {
    g_.metafl("PNG");
    touch("gravox.png", "first");
    touch("gravox_1.png", "second");
    g_.gvxini();
    EXPECT_STREQ(g_.getfil(), "gravox_2.png");
    output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(read_file("gravox.png"), "first");
    EXPECT_EQ(read_file("gravox_1.png"), "second");
    EXPECT_EQ(read_file("gravox_2.png"), "stub picture\n");
}

TEST_F(FileNaming, SetfilNameIsUsedForEveryPlot) {
    g_.metafl("PNG");
    g_.setfil("figure.png");
    for (int plot = 0; plot < 3; ++plot) {
        g_.gvxini();
        output_of([&] { g_.gvxfin(); });
    }
    EXPECT_TRUE(exists("figure.png"));
    EXPECT_TRUE(exists("figure_1.png"));
    EXPECT_TRUE(exists("figure_2.png"));
    EXPECT_FALSE(exists("gravox.png"));
}

TEST_F(FileNaming, UnwritableDirectoryGivesFileErrorAndClosedPlot) {
    if (geteuid() == 0) {
        // root writes anywhere: use a directory that does not exist instead.
        g_.setfil("no-such-directory/figure.png");
    } else {
        std::filesystem::create_directory("locked");
        chmod("locked", 0500);
        g_.setfil("locked/figure.png");
    }
    g_.metafl("PNG");
    std::string out = output_of([&] {
        g_.gvxini();
        g_.pagorg("TOP");
        g_.gvxfin();
    });
    EXPECT_EQ(out,
              " <<<< Warning  36: File error in gvxini!\n"
              " <<<< Warning   3: Incorrect level in pagorg!   (   0)\n"
              " <<<< Warning   3: Incorrect level in gvxfin!   (   0)\n");
    EXPECT_EQ(s().frame.level, 0);
}

TEST_F(FileNaming, UnsupportedDevicesAreRefusedBeforeAnyFileIsCreated) {
    // A build that writes none of these outputs.
    gvx::state_of(g_).device_factory = [](PlotState&, int) { return std::unique_ptr<Device>(); };
    for (const char* format : {"XWIN", "CONS", "PNG", "SVG"}) {
        g_.metafl(format);
        std::string out = output_of([&] { g_.gvxini(); });
        EXPECT_EQ(out, " <<<< Warning 140: Output device is not supported in gvxini!\n") << format;
        EXPECT_EQ(s().frame.level, 0);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(FileNaming, ScreenModeKeywords) {
    g_.scrmod("REVERS");
    EXPECT_EQ(s().files.screen_mode, 2);
    g_.scrmod("NOREVERS");
    EXPECT_EQ(s().files.screen_mode, 0);
    g_.scrmod("AUTO");
    g_.metafl("SVG");
    g_.gvxini();
    EXPECT_EQ(s().files.screen_mode_effective, 2);
    output_of([&] { g_.gvxfin(); });
    g_.metafl("PNG");
    g_.gvxini();
    EXPECT_EQ(s().files.screen_mode_effective, 0);
    output_of([&] { g_.gvxfin(); });
}

}  // namespace
}  // namespace gvx::testing
