#!/usr/bin/env python3
"""Regenerates the gallery: runs every example program in a fresh folder, copies its
picture to docs/gallery/ and writes docs/gallery.md with each picture beside its code.

    python3 tools/gallery.py BUILD_DIR

BUILD_DIR is a configured build with the examples built
(cmake --build BUILD_DIR --target line_plot log_axes ...).
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The examples in the order of the gallery, with a title each.
EXAMPLES = [
    ("line_plot", "A line plot"),
    ("log_axes", "Logarithmic axes"),
    ("date_axis", "A date axis"),
    ("two_systems", "Two axis systems on one page"),
    ("legend_corners", "Legends in each corner"),
    ("text_formulas", "Text and formulas"),
    ("all_formats", "The same plot in every output format"),
    ("memory_image", "Drawing into memory"),
    ("pdf_memory", "A PDF document in memory"),
]


def run(program, folder):
    result = subprocess.run([str(program)], cwd=folder, capture_output=True, check=True)
    return result.stdout


def render_pdf(document, png):
    """Renders a PDF document that an example sent to standard output, as the PNG
    pictures are drawn: 853 by 603 pixels for the landscape A4 page."""
    pdf = png.with_suffix(".pdf")
    pdf.write_bytes(document)
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m",
                    "-r72.844211", "-g853x603", "-dFIXEDMEDIA", "-dTextAlphaBits=1",
                    "-dGraphicsAlphaBits=1", "-sOutputFile=" + str(png), str(pdf)],
                   check=True)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build = pathlib.Path(sys.argv[1]).resolve()
    pictures = ROOT / "docs" / "gallery"
    pictures.mkdir(exist_ok=True)
    page = [
        "# Gallery",
        "",
        "Each program of [examples/](../examples/) with the picture it draws. The pictures are",
        "made by `python3 tools/gallery.py BUILD_DIR`, which runs the examples and writes this",
        "page. More pictures: [shapes](gallery/shapes.md), [fields](gallery/fields.md) and",
        "[three-dimensional plots](gallery/three_d.md).",
        "",
    ]
    for name, title in EXAMPLES:
        source = (ROOT / "examples" / (name + ".cpp")).read_text()
        with tempfile.TemporaryDirectory() as folder:
            output = run(build / "examples" / name, folder)
            png = pathlib.Path(folder) / (name + ".png")
            if output.startswith(b"%PDF"):
                render_pdf(output, png)
            if png.exists():
                shutil.copyfile(png, pictures / (name + ".png"))
                shown = f'<img src="gallery/{name}.png" width="426" alt="{title}">'
            else:
                # No picture: show what the program prints before the closing protocol.
                printed = output.decode("latin-1").split(" <<<")[0].rstrip()
                shown = "\n\n```\n" + printed + "\n```\n\n"
        page += [
            f"## {title}",
            "",
            f"[examples/{name}.cpp](../examples/{name}.cpp)",
            "",
            "<table><tr><td>" + shown + "</td><td>",
            "",
            "```cpp",
            source.rstrip("\n"),
            "```",
            "",
            "</td></tr></table>",
            "",
        ]
    (ROOT / "docs" / "gallery.md").write_text("\n".join(page))


if __name__ == "__main__":
    main()
