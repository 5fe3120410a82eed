#include "app/Guid.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(NewGuidHex, Is32UpperCaseHexDigitsAndNewEachTime)
{
    const QString a = NewGuidHex();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(a).hasMatch()) << qPrintable(a);
    EXPECT_NE(a, NewGuidHex());
}

} // namespace
} // namespace zelto
