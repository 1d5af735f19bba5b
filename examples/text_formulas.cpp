// Text and formulas: strings at page positions in several fonts, alphabets and
// angles, and formulas in formula mode (texmod). Written to text_formulas.png.
#include <gravox/gravox.h>

int main() {
    Gravox g;
    g.metafl("PNG");
    g.setfil("text_formulas.png");
    g.scrmod("REVERS");
    g.gvxini();
    g.pagera();

    // The default fixed-pitch font; positions are the upper left corner of the text.
    g.height(50);
    g.messag("The default font (gvxalf)", 200, 200);

    g.complx();  // the serif font
    g.messag("The serif font (complx)", 200, 350);

    g.height(80);
    g.color("BLUE");
    g.messag("Larger and in blue", 200, 500);
    g.color("FORE");

    g.height(50);
    g.angle(30);  // rotated text, degrees anticlockwise
    g.messag("Rotated by 30 degrees", 1800, 700);
    g.angle(0);

    g.txtjus("CENT");  // centred on the position
    g.messag("Centred text", 1485, 850);
    g.txtjus("LEFT");

    // Formula mode: exponents, indices, fractions, roots and Greek letters.
    g.texmod("ON");
    g.height(60);
    g.messag("E = mc^2", 200, 1050);
    g.messag("x_{1,2} = \\frac{-b \\pm \\sqrt{b^2 - 4ac}}{2a}", 200, 1250);
    g.messag("\\sum_{n=1}^{\\infty} \\frac{1}{n^2} = \\frac{\\pi^2}{6}", 200, 1500);
    g.messag("\\alpha + \\beta \\leq \\Gamma(\\omega)", 200, 1750);
    g.texmod("OFF");

    // A number with a chosen count of decimals, placed after a string whose length
    // nlmess measures in plot units.
    const char* label = "Pi to four decimals:";
    g.messag(label, 1500, 1750);
    g.number(3.14159265, 4, 1500 + g.nlmess(label) + 40, 1750);
    g.gvxfin();
}
