#pragma once

#include <QList>
#include <QStringList>

// The resolution choice of the main window: the fixed list, the stored index
// (g_nResolutionIndex) and the chosen text split into width and height (LocalSettings.h).
namespace zelto {

// "1920x1080" ... "800x600", index 0 to 9; index 8, "1024x768", is the default.
QStringList ResolutionList();

// A resolution box of the window (TuResolutionCombobox) as this logic needs it.
class IResolutionBox {
public:
    virtual ~IResolutionBox() = default;
    virtual void ReplaceItems(const QStringList &items) = 0;
    virtual void SelectItem(int index) = 0;
};

// Fills every box with the list, brings a stored index outside the list back to 8, selects
// it and makes its text the chosen resolution.
void LoadResolutions(const QList<IResolutionBox *> &boxes);

// g_sResolution into g_nWidth and g_nHeight: the digits before the first other character are
// the width, the digits after it the height; empty or invalid numbers give 1024 and 768.
void ApplyResolution();

// The player picked an entry of a resolution box (index -1: nothing picked).
void ResolutionComboboxChange(int selectedIndex, const QString &selectedText);

} // namespace zelto
