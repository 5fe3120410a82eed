#include "ui/QtNotifier.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace zelto {
namespace {

QMessageBox::Icon IconOf(NoticeIcon icon)
{
    switch (icon) {
    case NoticeIcon::None: return QMessageBox::NoIcon;
    case NoticeIcon::Information: return QMessageBox::Information;
    case NoticeIcon::Warning: return QMessageBox::Warning;
    case NoticeIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtNotifier::ShowMessage(const QString &text, const QString &caption, NoticeIcon icon)
{
    QMessageBox box(IconOf(icon), caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

QString QtNotifier::PickFolder(const QString &title, const QString &startFolder)
{
    // A start folder that does not exist is not offered.
    const QString start = QDir(startFolder).exists() && !startFolder.isEmpty() ? startFolder : QString();
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, start,
        QFileDialog::ShowDirsOnly);
}

} // namespace zelto
