// Hardware-font characters as text elements of the SVG and IPE documents: groups by
// font, sizes, rotation and the escapes of each document's syntax.
#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using TextElementTest = FormatTest;

DeviceCharacter character(int code, int font = 0, int angle = 0) {
    DeviceCharacter c;
    c.code = code;
    c.x = 1000;
    c.y = 500;
    c.font = font;
    c.angle = angle;
    c.height = 36;
    c.size_divisor = 720;  // capitals 0.72 of the font size
    return c;
}

TEST_F(TextElementTest, SvgGroupsCharactersByFontAndEscapesMarkup) {
    open("SVG ");
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);  // a pending line is written before the text
    ASSERT_TRUE(device_text_character(s(), character('A', 5)));
    device_text_character(s(), character('&', 5));
    device_text_character(s(), character('<', 5, 90));
    device_text_character(s(), character('>', 19));
    device_text_character(s(), character(233, 19));  // Latin-1 e acute
    device_text_character(s(), character(200, 34));  // Symbol's own code: a blank
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    const std::string svg = finish();
    // Capitals as tall as the height: 36 / 0.72 * 602 / 2099 = 14.34 pixels.
    EXPECT_NE(svg.find("<line x1=\"0.00\" y1=\"0.00\" x2=\"28.68\" y2=\"0.00\"/>\n</g>\n"
                       "<g font-family=\"Helvetica\" font-weight=\"bold\" font-style=\"normal\"\n"
                       "font-size=\"14.3\" stroke=\"none\" fill=\"#000000\">\n"
                       "<text x=\"286.80\" y=\"143.40\">A</text>\n"
                       "<text x=\"286.80\" y=\"143.40\">&amp;</text>\n"
                       "<text x=\"286.80\" y=\"143.40\" rotate=\"-90\">&lt;</text>\n</g>\n"
                       "<g font-family=\"Courier\" font-weight=\"bold\" font-style=\"normal\"\n"
                       "font-size=\"14.3\" stroke=\"none\" fill=\"#000000\">\n"
                       "<text x=\"286.80\" y=\"143.40\">&gt;</text>\n"
                       "<text x=\"286.80\" y=\"143.40\">&#233;</text>\n</g>\n"
                       "<g font-family=\"Symbol\" font-weight=\"normal\" font-style=\"normal\"\n"
                       "font-size=\"14.3\" stroke=\"none\" fill=\"#000000\">\n"
                       "<text x=\"286.80\" y=\"143.40\"> </text>\n</g>\n"
                       "<g fill=\"none\" stroke=\"#000000\" stroke-width=\"1.000\">\n<line "),
              std::string::npos)
        << svg;
}

TEST_F(TextElementTest, SvgFontTableAndSizeChanges) {
    open("SVG ");
    const int fonts[] = {3, 10, 21, 12};
    for (int font : fonts) device_text_character(s(), character('x', font));
    DeviceCharacter larger = character('y', 12);
    larger.height = 72;
    device_text_character(s(), larger);
    const std::string svg = finish();
    EXPECT_NE(svg.find("font-family=\"Times\" font-weight=\"bold\" font-style=\"italic\""),
              std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Helvetica\" font-weight=\"normal\" font-style=\"oblique\""),
              std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Courier\" font-weight=\"bold\" font-style=\"oblique\""),
              std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Times\" font-weight=\"normal\" font-style=\"normal\"\n"
                       "font-size=\"14.3\""),
              std::string::npos);
    EXPECT_NE(svg.find("font-size=\"28.7\""), std::string::npos);
    EXPECT_EQ(count_of(svg, "<g "), 5);
    EXPECT_EQ(count_of(svg, "<g "), count_of(svg, "</g>"));
}

TEST_F(TextElementTest, IpeLabelsEscapeForLatexAndXml) {
    open("IPE ");
    device_text_character(s(), character('A'));
    g_.color("RED");
    device_text_character(s(), character('%', 0, 90));
    device_text_character(s(), character('&', 0, 45));
    const char specials[] = {'<', '>', '\\', '~', '{', '$', '_'};
    for (char c : specials) device_text_character(s(), character(c));
    device_text_character(s(), character(0xE9));  // beyond 186: a blank
    device_text_character(s(), character(0xB0));  // a Latin-1 character in UTF-8
    const std::string ipe = finish();
    // 36 / 0.72 * 72 / 254 = 14.2 points; (2099 - 500) * 72 / 254 = 453.3
    EXPECT_NE(ipe.find("<text pos=\"283.5 453.3\" type=\"label\" valign=\"baseline\" "
                       "size=\"14.2\">A</text>\n"),
              std::string::npos)
        << ipe;
    EXPECT_NE(ipe.find("stroke=\"1 0 0\" size=\"14.2\"\n halign=\"right\">\\rotatebox{90}\\%"
                       "</text>\n"),
              std::string::npos);
    EXPECT_NE(ipe.find("size=\"14.2\"\n>\\rotatebox{45}\\&amp;</text>\n"), std::string::npos);
    const char* escaped[] = {">\\textless</text>",
                             ">\\textgreater</text>",
                             ">\\textbackslash</text>",
                             ">\\textasciitilde</text>",
                             ">\\{</text>",
                             ">\\$</text>",
                             ">\\_</text>",
                             "> </text>",
                             ">\xC2\xB0</text>"};
    for (const char* e : escaped) EXPECT_NE(ipe.find(e), std::string::npos) << e;
}

TEST_F(TextElementTest, DevicesWithoutTextRefuseCharacters) {
    open("HPGL");
    EXPECT_FALSE(device_text_character(s(), character('A')));
    g_.gvxfin();
    bytes_.clear();
    open("JAVA");
    EXPECT_FALSE(device_text_character(s(), character('A')));
    EXPECT_EQ(finish().find('A', 200), std::string::npos);
}

}  // namespace
}  // namespace gvx::testing
