// The "JAVA" device: head and class name, one drawLine per vector, colours, boxes,
// polygons, erase and the close; the source is compiled by javac where it exists.
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "gravox/devices/device.h"

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using AppletTest = FormatTest;

// The most vertices of a polygon written inline, in one fillPolygon call.
constexpr int kInlineVertices = 1000;

std::string class_line(const std::string& source) {
    const std::size_t at = source.find("public class ");
    if (at == std::string::npos) return "";
    return source.substr(at, source.find('\n', at) - at);
}

// The vertices of the n-th long polygon of a source, read back from its chain of vertex
// methods: each method's stores "x[o+k]=v;y[o+k]=v;" at the offset its caller passes.
// A vertex never stored stays INT_MIN.
struct Vertices {
    std::vector<int> x, y;
    int methods = 0, most_in_a_method = 0;
};

Vertices long_polygon(const std::string& source, int number) {
    Vertices v;
    const std::string name = "vertices" + std::to_string(number) + "_";
    const std::string arrays = "x" + std::to_string(number) + ", y" + std::to_string(number);
    const std::size_t fill = source.find("  g.fillPolygon (" + arrays + ", ");
    if (fill == std::string::npos) {
        ADD_FAILURE() << "no fillPolygon for long polygon " << number;
        return v;
    }
    const int n = std::atoi(source.c_str() + fill + 19 + arrays.size());
    v.x.assign(n, INT_MIN);
    v.y.assign(n, INT_MIN);
    // Offsets from the calls: the first from the part method, the others from the chain.
    std::map<int, int> offsets;
    for (std::size_t at = source.find("  " + name); at != std::string::npos;
         at = source.find("  " + name, at + 1)) {
        int link = 0, offset = 0;
        if (std::sscanf(source.c_str() + at + 2 + name.size(), "%d (%*[^,], %*[^,], %d);", &link,
                        &offset) == 2)
            offsets[link] = offset;
    }
    const std::string head = "private static void " + name;
    for (std::size_t at = source.find(head); at != std::string::npos;
         at = source.find(head, at + 1)) {
        const int link = std::atoi(source.c_str() + at + head.size());
        EXPECT_EQ(offsets.count(link), 1u) << "vertex method " << link << " is never called";
        const int offset = offsets[link];
        const std::size_t end = source.find("\n  }\n", at);
        int count = 0;
        for (std::size_t store = source.find("x[o+", at); store < end;
             store = source.find("x[o+", store + 1)) {
            int k = 0, px = 0, k2 = 0, py = 0;
            EXPECT_EQ(
                std::sscanf(source.c_str() + store, "x[o+%d]=%d;y[o+%d]=%d;", &k, &px, &k2, &py),
                4);
            EXPECT_EQ(k, k2);
            const int i = offset + k;
            if (i < 0 || i >= n || v.x[i] != INT_MIN) {
                ADD_FAILURE() << "vertex " << i << " stored outside the arrays or twice";
                break;
            }
            v.x[i] = px;
            v.y[i] = py;
            ++count;
        }
        ++v.methods;
        v.most_in_a_method = std::max(v.most_in_a_method, count);
    }
    return v;
}

// The pixels the open device gives the vertices of a polygon in plot coordinates.
Vertices device_pixels(PlotState& s, const std::vector<double>& x, const std::vector<double>& y) {
    const auto& device = static_cast<const PixelDevice&>(*s.device);
    Vertices v;
    v.x.resize(x.size());
    v.y.resize(y.size());
    for (std::size_t i = 0; i < x.size(); ++i) device.to_pixel(x[i], y[i], v.x[i], v.y[i]);
    return v;
}

TEST_F(AppletTest, SceneMatchesGoldenFile) {
    open("JAVA");
    draw_scene();
    const std::string source = finish();
    EXPECT_EQ(opened_name_, "gravox.java");
    EXPECT_EQ(opened_mode_, "w");
    // One drawLine per vector, and nothing for the moves.
    EXPECT_EQ(count_of(source, "g.drawLine"), s().frame.vector_count);
    expect_golden(source, "scene.java");
}

TEST_F(AppletTest, LongPicturesContinueInAChainOfMethods) {
    open("JAVA");
    for (int i = 0; i < 4500; ++i) {
        move_to(s(), 100, 100 + i % 500);
        draw_to(s(), 900, 100 + i % 500);
    }
    const std::string source = finish();
    EXPECT_EQ(count_of(source, "g.drawLine"), 4500);
    // Every method holds at most 2000 calls and ends by calling the next one.
    EXPECT_EQ(count_of(source, "  part1 (g);\n  }\nprivate void part1 (Graphics g) {\n"), 1);
    EXPECT_EQ(count_of(source, "  part2 (g);\n  }\nprivate void part2 (Graphics g) {\n"), 1);
    EXPECT_EQ(count_of(source, "private void part3"), 0);
    const std::size_t first = source.find("part1 (g);");
    EXPECT_LE(count_of(source.substr(0, first), "g."), 2000);
    EXPECT_EQ(source.substr(source.size() - 6), "  }\n}\n");
}

TEST_F(AppletTest, ClassNameComesFromTheFileName) {
    s().files.open_sink = open_file_sink;  // real files, so the counted names appear
    open("JAVA");
    g_.gvxfin();
    EXPECT_EQ(class_line(read_file("gravox.java")), "public class gravox extends Applet {");
    open("JAVA");
    g_.gvxfin();
    EXPECT_EQ(class_line(read_file("gravox_1.java")), "public class gravox_1 extends Applet {");

    // A drive letter and directories, with either separator, end before the class name.
    g_.setfil("c:\\plots\\fig.java");
    open("JAVA");
    g_.gvxfin();
    EXPECT_EQ(class_line(read_file("c:\\plots\\fig.java")), "public class fig extends Applet {");

    std::filesystem::create_directories("plots/v2.1");
    g_.setfil("plots/v2.1/orbit.data.java");
    open("JAVA");
    g_.gvxfin();
    EXPECT_EQ(class_line(read_file("plots/v2.1/orbit.data.java")),
              "public class orbit extends Applet {");
}

TEST_F(AppletTest, ClassNamesAreCutAndHoldOnlyNameCharacters) {
    struct Case {
        std::string file, name;
    };
    const Case cases[] = {
        {std::string(70, 'k') + ".java", std::string(60, 'k')},
        {"gravox-1.java", "gravox_1"},
        {"a{}static{x();}b c.java", "a__static_x____b_c"},
        {".java", "_"},
    };
    for (const Case& c : cases) {
        bytes_.clear();
        g_.setfil(c.file.c_str());
        open("JAVA");
        EXPECT_EQ(class_line(finish()), "public class " + c.name + " extends Applet {") << c.file;
    }
}

TEST_F(AppletTest, HeadSizeCornerEraseAndClose) {
    open("JAVA");
    EXPECT_DOUBLE_EQ(s().page.device_scale, 602.0 / 2099.0);
    EXPECT_EQ(s().page.colour_depth, 24);
    move_to(s(), 0, 0);
    draw_to(s(), 2969, 2099);
    flush_polyline(s());
    s().device->erase();
    const std::string source = finish();
    EXPECT_EQ(source.rfind("// GRAVOX Java Metafile\n// Creator: GRAVOX 10.4\n"
                           "// Date   : 07.12.2026, 09:05:03\n// Size   : 853 603\n\n"
                           "import java.applet.*;\nimport java.awt.*;\n\n",
                           0),
              0u);
    EXPECT_NE(source.find("  g.drawLine (0,0,852,602);\n  g.clearRect (0,0,853,603);\n  }\n}\n"),
              std::string::npos)
        << source;
    EXPECT_EQ(source.substr(source.size() - 6), "  }\n}\n");
}

TEST_F(AppletTest, BoxesKeepTheirOwnColour) {
    open("JAVA");
    g_.color("RED");
    fill_box(s(), 0, 0, 2969, 2099, rgb(0, 0, 255));  // another colour: switched and back
    fill_box(s(), 10, 10, 100, 100, rgb(255, 0, 0));  // the current colour: no switch
    const std::string source = finish();
    EXPECT_NE(source.find("  g.setColor (new Color (255,0,0));\n"
                          "  g.setColor (new Color (0,0,255));\n"
                          "  g.fillRect (0,0,853,603);\n"
                          "  g.setColor (new Color (255,0,0));\n"
                          "  g.fillRect (3,3,27,27);\n  }\n"),
              std::string::npos)
        << source;
}

TEST_F(AppletTest, PolygonsBecomeFillPolygonWithRoundedVertices) {
    open("JAVA");
    double x[12], y[12];
    for (int i = 0; i < 12; ++i) {
        x[i] = 100 + 50 * i;
        y[i] = i % 2 ? 100 : 300;
    }
    fill_polygon(s(), x, y, 12);
    const std::string source = finish();
    EXPECT_NE(source.find("  g.fillPolygon (new int[] {29,43,57,72,86,100,115,129,143,158,\n"
                          "    172,186},\n"
                          "    new int[] {86,29,86,29,86,29,86,29,86,29,\n    86,29}, 12);\n"),
              std::string::npos)
        << source;
}

// Up to kInlineVertices a polygon is written inline; a longer one ends the method and is
// stored by vertex methods of at most 1500 vertices placed before the next part.
TEST_F(AppletTest, LongPolygonsAreStoredByAChainOfVertexMethods) {
    open("JAVA");
    std::vector<double> x(3001), y(3001);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = 1400 + 1200 * std::cos(0.01 * i);
        y[i] = 1000 + 900 * std::sin(0.013 * i);
    }
    fill_polygon(s(), x.data(), y.data(), kInlineVertices);
    fill_polygon(s(), x.data(), y.data(), 3001);
    const Vertices expected = device_pixels(s(), x, y);
    move_to(s(), 10, 10);  // the picture goes on in the new part
    draw_to(s(), 20, 20);
    fill_polygon(s(), x.data(), y.data(), kInlineVertices + 1);
    const std::string source = finish();

    EXPECT_EQ(count_of(source, "g.fillPolygon (new int[] {"), 1);
    const Vertices v = long_polygon(source, 1);
    EXPECT_EQ(v.x, expected.x);
    EXPECT_EQ(v.y, expected.y);
    EXPECT_EQ(v.methods, 3);
    EXPECT_EQ(v.most_in_a_method, 1500);
    EXPECT_NE(source.find("  part1 (g);\n  }\nprivate static void vertices1_0 (int[] x, int[] y, "
                          "int o) {\n  x[o+0]="),
              std::string::npos);
    EXPECT_NE(source.find("  }\nprivate void part1 (Graphics g) {\n"
                          "  int[] x1 = new int[3001], y1 = new int[3001];\n"
                          "  vertices1_0 (x1, y1, 0);\n  g.fillPolygon (x1, y1, 3001);\n"
                          "  g.drawLine ("),
              std::string::npos)
        << source.substr(0, 400);
    const Vertices second = long_polygon(source, 2);
    EXPECT_EQ(second.methods, 1);
    EXPECT_EQ(second.x, std::vector<int>(expected.x.begin(), expected.x.begin() + 1001));
    EXPECT_EQ(second.y, std::vector<int>(expected.y.begin(), expected.y.begin() + 1001));
    EXPECT_EQ(count_of(source, "private void part"), 2);
}

// javac accepts what the writer makes. The scene has every kind of call; the second
// picture fills its methods to the cut with the heaviest calls there are (a colour
// switch of three large components before and after each box, lines between far
// pixels) and ends with the longest polygon still written inline: the cut keeps every
// method below the 64 KB of code that the virtual machine allows one method, which the
// program's long figures rely on. The third is a star of 20000 vertices that crosses
// itself, far beyond what one method could hold. One javac run compiles all three,
// started with the options that make a short compilation quick.
TEST_F(AppletTest, GeneratedSourceCompiles) {
    if (!tool_available("javac")) GTEST_SKIP() << "javac is not installed";
    s().files.open_sink = open_file_sink;
    open("JAVA");
    draw_scene();
    s().device->erase();
    g_.gvxfin();
    const std::filesystem::path kept = reader_output_dir() / "gravox.java";
    std::filesystem::copy_file("gravox.java", kept,
                               std::filesystem::copy_options::overwrite_existing);

    g_.setfil("heavy.java");
    open("JAVA");
    for (int i = 0; i < 2000; ++i) {
        fill_box(s(), 1000, 1000 + i % 100, 2900, 2000, rgb(255 - i % 100, 200, 150 + i % 100));
        move_to(s(), 900, 1000 + i % 1000);
        draw_to(s(), 2900, 2000 - i % 1000);
    }
    std::vector<double> x(kInlineVertices), y(kInlineVertices);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = 1000 + 1900 * std::cos(0.003 * i) / 2;
        y[i] = 1000 + 900 * std::sin(0.003 * i);
    }
    fill_polygon(s(), x.data(), y.data(), static_cast<int>(x.size()));
    g_.gvxfin();
    const std::string heavy = read_file("heavy.java");
    EXPECT_GE(count_of(heavy, "g.setColor (new Color ("), 4000);
    EXPECT_GE(count_of(heavy, "private void part"), 4);
    EXPECT_EQ(count_of(heavy, "g.fillPolygon (new int[] {"), 1);

    g_.setfil("star.java");
    open("JAVA");
    std::vector<double> sx(20000), sy(20000);
    for (std::size_t i = 0; i < sx.size(); ++i) {
        const double angle = 0.0031415926 * 1999 * static_cast<double>(i);
        const double radius = i % 2 ? 400 : 1000;
        sx[i] = 1480 + radius * std::cos(angle);
        sy[i] = 1050 + radius * std::sin(angle);
    }
    fill_polygon(s(), sx.data(), sy.data(), static_cast<int>(sx.size()));
    const Vertices expected = device_pixels(s(), sx, sy);
    g_.gvxfin();
    const Vertices star = long_polygon(read_file("star.java"), 1);
    EXPECT_EQ(star.x, expected.x);
    EXPECT_EQ(star.y, expected.y);
    EXPECT_EQ(star.methods, 14);

    // The applet classes are deprecated: javac warns and still compiles.
    const std::string command =
        GRAVOX_QUICK_JAVAC " -d . gravox.java heavy.java star.java > javac.log 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << read_file("javac.log");
    EXPECT_TRUE(std::filesystem::exists("gravox.class"));
    EXPECT_TRUE(std::filesystem::exists("heavy.class"));
    EXPECT_TRUE(std::filesystem::exists("star.class"));
}

}  // namespace
}  // namespace gvx::testing
