#include "widgets/LayoutGrid.h"

#include "widgets/DesktopLook.h"

wxFlexGridSizer* NewGrid(int rows, int cols) {
    auto* grid = new wxFlexGridSizer(rows, cols, 0, 0);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    return grid;
}

int Px(int pixels) {
    return DesktopLook::Get().Scaled(pixels);
}

wxSize Px(const wxSize& size) {
    return DesktopLook::Get().Scaled(size);
}

wxFont LayoutFont(double points, wxFontFamily family, wxFontWeight weight, const wxString& face) {
    return wxFont(wxFontInfo(points * DesktopLook::Get().fontScale)
                      .Family(family)
                      .Bold(weight == wxFONTWEIGHT_BOLD)
                      .FaceName(face));
}
