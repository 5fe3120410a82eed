#include "app/Resolutions.h"

#include "app/LocalSettings.h"
#include "app/TextRules.h"
#include "app/Trace.h"

namespace zelto {
namespace {

constexpr int kDefaultResolutionIndex = 8;

} // namespace

QStringList ResolutionList()
{
    return {QStringLiteral("1920x1080"), QStringLiteral("1600x1024"), QStringLiteral("1600x900"),
        QStringLiteral("1440x900"), QStringLiteral("1366x768"), QStringLiteral("1280x800"),
        QStringLiteral("1280x720"), QStringLiteral("1152x864"), QStringLiteral("1024x768"),
        QStringLiteral("800x600")};
}

void LoadResolutions(const QList<IResolutionBox *> &boxes)
{
    const QStringList resolutions = ResolutionList();
    for (IResolutionBox *box : boxes) {
        box->ReplaceItems(resolutions);
        if (g_nResolutionIndex < 0 || g_nResolutionIndex >= resolutions.size())
            g_nResolutionIndex = kDefaultResolutionIndex;
        box->SelectItem(g_nResolutionIndex);
        g_sResolution = resolutions[g_nResolutionIndex];
        ApplyResolution();
    }
}

void ApplyResolution()
{
    QString width;
    QString height;
    bool separatorSeen = false;
    for (QChar c : g_sResolution) {
        if (c < u'0' || c > u'9')
            separatorSeen = true;
        else
            (separatorSeen ? height : width) += c;
    }
    g_nWidth = ParseDecimalInt32(width).value_or(1024);
    g_nHeight = ParseDecimalInt32(height).value_or(768);
}

void ResolutionComboboxChange(int selectedIndex, const QString &selectedText)
{
    if (selectedIndex != -1) {
        g_nResolutionIndex = selectedIndex;
        g_sResolution = selectedText;
        ApplyResolution();
    }
    Trace(QStringLiteral("g_sResolution %1").arg(g_sResolution));
}

} // namespace zelto
