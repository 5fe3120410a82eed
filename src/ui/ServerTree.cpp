#include "ui/ServerTree.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace zelto {
namespace {

class NodeDelegate final : public QStyledItemDelegate {
public:
    explicit NodeDelegate(TuTreeView &tree)
        : QStyledItemDelegate(&tree)
        , m_tree(tree)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const QTreeWidgetItem *node = m_tree.itemFromIndex(index)) {
            if (const auto colour = m_tree.ColourOf(*node)) {
                option->palette.setColor(QPalette::Text, *colour);
                option->palette.setColor(QPalette::HighlightedText, *colour);
            }
        }
        if (option->state & QStyle::State_Selected)
            option->font.setBold(true);
    }

private:
    TuTreeView &m_tree;
};

} // namespace

TuTreeView::TuTreeView(QWidget *parent)
    : QTreeWidget(parent)
    , TuControl(*this, "TuTreeView")
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setFrameShape(QFrame::NoFrame);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIndentation(16);
    setItemDelegate(new NodeDelegate(*this));
    // The selection keeps its look when the tree loses the focus.
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    setPalette(palette);
}

std::optional<QColor> TuTreeView::ColourOf(const QTreeWidgetItem &node) const
{
    return m_nodeColour ? m_nodeColour(node) : std::nullopt;
}

QTreeWidgetItem *TuTreeView::SelectedNode() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

bool TuTreeView::ApplyColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
    return true;
}

void TuTreeView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

QItemSelectionModel::SelectionFlags TuTreeView::selectionCommand(const QModelIndex &index,
    const QEvent *event) const
{
    // Only the player's clicks and keys are refused; the launcher itself may still select.
    if (event && m_locked && m_locked())
        return QItemSelectionModel::NoUpdate;
    return QTreeWidget::selectionCommand(index, event);
}

} // namespace zelto
