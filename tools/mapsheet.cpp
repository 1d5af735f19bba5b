// Draws the maps of the gallery, for a look by eye: the world in Robinson's projection
// with shaded continents, coastlines and the graticule; the Arctic in the polar
// stereographic projection, and Antarctica; North America with its borders and a scale
// bar in Lambert's conformal conic projection; every projection on one page; a
// hemisphere and a whole globe on circles.
// Usage: mapsheet [folder] [format]   (writes maps_*.png, or another format's files, in
// the folder)
#include <string>

#include "gravox/gravox.h"
#include "tools/sheet_output.h"

namespace {

void open(Gravox& g, const std::string& file, const char* title) {
    g.setfil(file.c_str());
    g.gvxini();
    g.errmod("PROTOCOL", "OFF");
    g.complx();
    g.height(30);
    g.axspos(300, 1900);
    g.axslen(2400, 1600);
    g.messag(title, 300, 120);
}

// Land in green under black coastlines, a grey graticule.
void land_and_lines(Gravox& g) {
    g.color("GREEN");
    g.shdmap("CONT");
    g.color("BACK");
    g.shdmap("LAKE");
    g.color("FORE");
    g.world();
    g.setrgb(0.6, 0.6, 0.6);
    g.gridmp(1, 1);
    g.color("FORE");
}

// A whole-page map: the window, its label steps and the centre of the projection.
struct Page {
    const char* title;
    const char* projection;
    double pole_lon, pole_lat;
    double window[4];  // xa, xe, ya, ye
    double steps[2];   // between labelled meridians and parallels
};

void map_page(Gravox& g, const std::string& file, const Page& p) {
    open(g, file, p.title);
    g.projct(p.projection);
    g.mappol(p.pole_lon, p.pole_lat);
    g.grafmp(p.window[0], p.window[1], p.window[0], p.steps[0], p.window[2], p.window[3],
             p.window[2], p.steps[1]);
    land_and_lines(g);
    g.endgrf();
    g.gvxfin();
}

void north_america(Gravox& g, const std::string& file) {
    open(g, file, "North America: Lambert conformal conic projection");
    g.projct("LAMB");
    g.mapref(30.0, 60.0);
    g.mappol(-100.0, 45.0);
    g.grafmp(-170.0, -30.0, -170.0, 20.0, 10.0, 80.0, 10.0, 10.0);
    land_and_lines(g);
    // Borders between states and provinces dashed, between countries solid, in brown.
    g.setrgb(0.45, 0.2, 0.05);
    g.lintyp(2);
    g.borders("INTERNAL");
    g.lintyp(0);
    g.borders("NATIONAL");
    // A great-circle route drawn as a curve from Los Angeles to London.
    const double lon[] = {-118.2, -100.0, -80.0, -60.0, -0.1};
    const double lat[] = {34.1, 48.0, 56.5, 58.5, 51.5};
    g.color("RED");
    g.curvmp(lon, lat, 5);
    g.color("FORE");
    // A scale bar of 2000 km in the empty corner above the map.
    g.sclmap(2000.0, 400, 520);
    g.endgrf();
    g.gvxfin();
}

// Every projection on one page: the world (the hemisphere around 20 E, 30 N for the
// azimuthal projections, the northern mid-latitudes for the conics).
void projections(Gravox& g, const std::string& file) {
    open(g, file, "The fourteen projections");
    g.height(24);
    const char* names[] = {"CYLI", "MERC", "EQUA", "MILL", "LAMB", "ALBE", "STER",
                           "ORTH", "AZIM", "ROBI", "MOLL", "HAMM", "AITO", "WINK"};
    g.labels("NONE", "XY");
    for (int k = 0; k < 14; ++k) {
        const int col = k % 4, row = k / 4;
        g.axspos(100 + col * 700, 600 + row * 480);
        g.axslen(640, 400);
        g.projct(names[k]);
        const bool azimuthal = k >= 6 && k <= 8, conic = k == 4 || k == 5;
        if (azimuthal) g.mappol(20.0, 30.0);
        if (conic)
            g.grafmp(-60.0, 60.0, -60.0, 30.0, 20.0, 75.0, 20.0, 15.0);
        else if (azimuthal)
            g.grafmp(-180.0, 180.0, -180.0, 30.0, -90.0, 90.0, -90.0, 30.0);
        else
            g.grafmp(-180.0, 180.0, -180.0, 60.0, -90.0, 90.0, -90.0, 30.0);
        land_and_lines(g);
        g.endgrf();
        g.messag(names[k], 100 + col * 700, 600 + row * 480 + 20);
    }
    g.gvxfin();
}

// Whole-globe circle maps, labelled around the circle: the hemisphere around 20 E, 40 N
// in the orthographic projection and the whole globe around it in the azimuthal
// equidistant projection.
void globes(Gravox& g, const std::string& file) {
    open(g, file, "Orthographic hemisphere and azimuthal equidistant globe around 20 E, 40 N");
    g.height(24);
    const char* names[] = {"ORTH", "AZIM"};
    for (int k = 0; k < 2; ++k) {
        g.axspos(250 + k * 1400, 1850);
        g.axslen(1100, 1100);
        g.projct(names[k]);
        g.mappol(20.0, 40.0);
        g.grafmp(-180.0, 180.0, -180.0, 30.0, -90.0, 90.0, -90.0, 30.0);
        land_and_lines(g);
        g.endgrf();
    }
    g.gvxfin();
}

}  // namespace

int main(int argc, char** argv) {
    Gravox g;
    const SheetOutput out = start_sheet(g, argc, argv);
    const std::string& folder = out.folder;
    const std::string& ext = out.ext;
    map_page(
        g, folder + "maps_world." + ext,
        {"The world in Robinson's projection", "ROBI", 0.0, 0.0, {-180, 180, -90, 90}, {60, 30}});
    map_page(g, folder + "maps_arctic." + ext,
             {"The Arctic: polar stereographic projection",
              "STER",
              0.0,
              90.0,
              {-180, 180, 40, 90},
              {30, 10}});
    map_page(g, folder + "maps_antarctica." + ext,
             {"Antarctica: polar stereographic projection",
              "STER",
              0.0,
              -90.0,
              {-180, 180, -90, -40},
              {30, 10}});
    north_america(g, folder + "maps_lambert." + ext);
    projections(g, folder + "maps_projections." + ext);
    globes(g, folder + "maps_globes." + ext);
    return 0;
}
