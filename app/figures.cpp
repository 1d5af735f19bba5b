#include "app/figures.h"

#include <iostream>
#include <utility>
#include <vector>

#include "app/expansion.h"
#include "app/run_pipeline.h"

namespace cosmology {

void draw_figures(Gravox& plot, char (&legend_buffer)[256], int& legend_line, const char* format,
                  int count, int coarsening) {
    // Made once: PNG output, existing files are kept and new names counted up, and a
    // white page on which "WHITE" draws black.
    plot.metafl(format);
    plot.filmod("COUNT");
    plot.scrmod("REVERS");

    // Each finished history becomes one curve with one legend line of the open figure.
    const CurveHandOver hand_over = [&](const ExpansionModel& model,
                                        const ExpansionHistory& history) {
        plot.color(model.colour);
        plot.leglin(legend_buffer, model.label, legend_line);
        legend_line = legend_line + 1;
        plot.curve(history.time.data(), history.scale.data(), static_cast<int>(history.size()));
    };

    // The runs in the order they are drawn, integrated ahead on a worker thread; each
    // report is printed here, in that order, just before its curve is drawn.
    count = count < kFigureCount ? count : kFigureCount;
    std::vector<ExpansionModel> models;
    for (int number = 1; number <= count; ++number)
        for (const ModelRun& run : kModelRuns)
            if (run.figure == number) {
                models.push_back(run.model);
                if (coarsening > 1) models.back().step *= coarsening;
            }
    std::vector<const ExpansionModel*> order;
    for (const ExpansionModel& model : models) order.push_back(&model);
    RunPipeline runs(std::move(order));

    for (int number = 1; number <= count; ++number) {
        const Figure& figure = kFigures[number - 1];
        plot.gvxini();
        plot.pagera();
        plot.name("Time t (Gyr)", "X");
        plot.name("Scale Factor a(t)", "Y");
        legend_line = 1;
        plot.complx();
        plot.graf(figure.x_start, figure.x_end, figure.x_first, figure.x_step, figure.y_start,
                  figure.y_end, figure.y_first, figure.y_step);
        plot.legini(legend_buffer, figure.legend_lines, 50);
        plot.legtit("Legend");
        for (const ModelRun& run : kModelRuns)
            if (run.figure == number) {
                const FinishedRun& finished = runs.next();
                std::cout << finished.report << std::flush;
                hand_over(*finished.model, finished.history);
            }
        plot.color("WHITE");
        plot.legpos(figure.legend_x, figure.legend_y);
        plot.legend(legend_buffer, legend_line - 1);  // the position code; legpos decides
        plot.gvxfin();
    }
}

}  // namespace cosmology
