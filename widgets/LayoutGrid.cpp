#include "widgets/LayoutGrid.h"

wxFlexGridSizer* NewGrid(int rows, int cols) {
    auto* grid = new wxFlexGridSizer(rows, cols, 0, 0);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    return grid;
}
