#include "PackedLauncherFixture.h"

#include "ui/SkinStream.h"

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
    const auto integer = [](qint64 value) {
        TComponentValue v;
        v.kind = value >= -128 && value <= 127 ? TValueKind::Int8 : TValueKind::Int16;
        v.integer = value;
        return v;
    };
    const auto text = [](const QString &value) {
        TComponentValue v;
        v.kind = TValueKind::String;
        v.text = value;
        return v;
    };
    TComponentNode root;
    root.className = QStringLiteral("TuForm");
    root.name = QStringLiteral("MainForm");
    root.properties = { { QStringLiteral("ClientWidth"), integer(867) },
                        { QStringLiteral("Caption"), text(QStringLiteral(u"登录器")) } };
    TComponentNode button;
    button.className = QStringLiteral("TuStartBtton");
    button.name = QStringLiteral("BtnStart");
    TComponentValue picture;
    picture.kind = TValueKind::Binary;
    picture.bytes = QByteArray("\x89PNG\r\n\x1A\n....", 12);
    button.properties = { { QStringLiteral("Left"), integer(12) }, { QStringLiteral("Picture.Data"), picture } };
    TComponentNode edit;
    edit.className = QStringLiteral("TuIDEdit");
    edit.name = QStringLiteral("EditID");
    edit.properties = { { QStringLiteral("Font.Name"), text(QStringLiteral("Tahoma")) } };
    root.children = { button, edit };
    return root;
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
