// A PDF document made in memory, as a web service would make one: pdfmod("ON", "BUFFER")
// keeps the document instead of writing a file, and pdfbuf copies it out after gvxfin.
// This program sends the document to standard output, so
//     pdf_memory > plot.pdf
// stores it; the byte count goes to standard error.
#include <cstdio>
#include <vector>

#include <gravox/gravox.h>

int main() {
    static double x[50], y[50];
    for (int i = 0; i < 50; ++i) {
        x[i] = i;
        y[i] = 0.02 * i * i;
    }

    Gravox g;
    g.metafl("PDF");
    g.pdfmod("ON", "BUFFER");  // no file is named or opened
    g.scrmod("REVERS");
    g.gvxini();
    g.errmod("PROTOCOL", "OFF");  // standard output carries the document only
    g.complx();
    g.name("Time", "X");
    g.name("Distance", "Y");
    g.graf(0.0, 50.0, 0.0, 10.0, 0.0, 50.0, 0.0, 10.0);
    g.color("BLUE");
    g.curve(x, y, 50);
    g.gvxfin();

    // First the size, then the bytes.
    const int size = g.pdfbuf(nullptr, 0);
    std::vector<char> document(static_cast<std::size_t>(size));
    if (size == 0 || g.pdfbuf(document.data(), size) != size) return 1;
    std::fwrite(document.data(), 1, document.size(), stdout);
    std::fprintf(stderr, "pdfbuf: %d bytes\n", size);
    return 0;
}
