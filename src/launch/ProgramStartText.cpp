#include "launch/ProgramStartText.h"

namespace zelto {

QString NotStartedText(const QString &prefix, const QString &programName, const os::TProgramStart &start)
{
    if (start.needsWine)
        return QStringLiteral(u"“%1”是Windows程序，需要先安装wine才能运行").arg(programName);
    return prefix + QString::number(start.errorCode);
}

} // namespace zelto
