#pragma once

#include "ui/SkinControl.h"

#include <QTreeWidget>

#include <functional>
#include <optional>

// The server tree: read-only, no root lines, no border; the selection stays visible without
// the focus and its node is drawn bold. The window decides the colour of each node and may
// lock the selection against the player.
namespace zelto {

class TuTreeView final : public QTreeWidget, public TuControl {
    Q_OBJECT
public:
    explicit TuTreeView(QWidget *parent);

    using NodeColour = std::function<std::optional<QColor>(const QTreeWidgetItem &node)>;
    void SetNodeColour(NodeColour colour) { m_nodeColour = std::move(colour); }
    std::optional<QColor> ColourOf(const QTreeWidgetItem &node) const;
    // While it answers true, the player cannot change the selection.
    void SetSelectionLocked(std::function<bool()> locked) { m_locked = std::move(locked); }

    // The node the player or the launcher selected, or none.
    QTreeWidgetItem *SelectedNode() const;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
        const QEvent *event) const override;
    bool ApplyColor(const QColor &color) override;

private:
    NodeColour m_nodeColour;
    std::function<bool()> m_locked;
};

} // namespace zelto
