#include "PackedLauncherFixture.h"

#include "support/SkinTree.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace zelto::testing {

QByteArray MakePe32Image(qsizetype size)
{
    QByteArray image(size, '\0');
    image.replace(0, 2, "MZ");
    qToLittleEndian<quint32>(256, image.data() + 0x3C);
    image.replace(256, 4, QByteArray("PE\0\0", 4));
    qToLittleEndian<quint16>(0x10B, image.data() + 256 + 24);
    return image;
}

QByteArray MakeElfImage(qsizetype size)
{
    QByteArray image(size, '\0');
    image.replace(0, 4, "\x7F" "ELF");
    return image;
}

TLauncherConfiguration SampleConfiguration()
{
    TLauncherConfiguration record;
    for (const TConfigurationField &field : LauncherConfigurationFields()) {
        if (field.kind == TConfigurationFieldKind::Text) {
            EXPECT_TRUE(SetFieldText(record, field, QStringLiteral("%1-value").arg(QLatin1String(field.name))));
        }
    }
    EXPECT_TRUE(record.sTitle.SetText(QStringLiteral(u"传奇世界")));
    record.nGMNum = 7;
    record.nGMChannel = 1201;
    return record;
}

TComponentNode SampleSkinTree()
{
    using namespace zelto::test;
    return Node(QStringLiteral("TuForm"), QStringLiteral("MainForm"),
                { Prop(QStringLiteral("ClientWidth"), IntValue(867)),
                  Prop(QStringLiteral("Caption"), TextValueOf(QStringLiteral(u"登录器"))) },
                { Node(QStringLiteral("TuStartBtton"), QStringLiteral("BtnStart"),
                       { Prop(QStringLiteral("Left"), IntValue(12)),
                         Prop(QStringLiteral("Picture.Data"), BinaryValue(QByteArray("\x89PNG\r\n\x1A\n....", 12))) }),
                  Node(QStringLiteral("TuIDEdit"), QStringLiteral("EditID"),
                       { Prop(QStringLiteral("Font.Name"), TextValueOf(QStringLiteral("Tahoma"))) }) });
}

QByteArray PackedLauncher(const QByteArray &image, const TAppendedContent &content)
{
    const std::optional<QByteArray> appended = BuildAppendedData(image.size(), content);
    EXPECT_TRUE(appended.has_value());
    return image + appended.value_or(QByteArray());
}

QByteArray SignedLauncher(QByteArray packedPe32, int filler, qsizetype certificateSize)
{
    QByteArray certificate(certificateSize, '\xC5');
    qToLittleEndian<qint32>(qint32(certificateSize), certificate.data()); // WIN_CERTIFICATE dwLength
    EXPECT_TRUE(AppendCertificateTable(packedPe32, certificate, filler));
    return packedPe32;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace zelto::testing
