#include "ui/SkinBuilder.h"

#include "app/Trace.h"
#include "ui/uCliTypes.h"

namespace zelto {
namespace {

void ApplyProperties(TuControl &control, const TComponentNode &node, TSkinReadCounts &counts)
{
    for (const TComponentProperty &property : node.properties) {
        if (!control.SetSkinProperty(property.name, property.value)) {
            ++counts.skippedProperties;
            Trace(QStringLiteral("皮肤属性已跳过 %1.%2").arg(node.name, property.name));
        }
    }
}

void ReadChildren(TuCustomForm &window, QWidget &parent, const TComponentNode &node, TSkinReadCounts &counts)
{
    for (const TComponentNode &child : node.children) {
        TuControl *control = CreateSkinControl(child.className, &parent);
        if (!control) {
            ++counts.skippedClasses;
            Trace(QStringLiteral("皮肤控件类未注册 %1 (%2)").arg(child.className, child.name));
            continue;
        }
        ++counts.controls;
        QWidget &widget = control->Widget();
        widget.setObjectName(child.name);
        ApplyProperties(*control, child, counts);
        // Shown unless the skin hid it, also when the window is already on the screen.
        if (!widget.testAttribute(Qt::WA_WState_ExplicitShowHide))
            widget.show();
        window.WatchShape(widget);
        ReadChildren(window, widget, child, counts);
    }
}

} // namespace

TSkinReadCounts ReadComponentTree(TuCustomForm &window, const TComponentNode &root)
{
    RegisterSkinClasses();
    TSkinReadCounts counts;
    if (!root.name.isEmpty())
        window.setObjectName(root.name);
    ApplyProperties(window, root, counts);
    ReadChildren(window, window, root, counts);
    window.ScheduleShapeUpdate();
    return counts;
}

} // namespace zelto
