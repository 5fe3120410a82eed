#pragma once

#include "ui/ComponentTree.h"

#include <QColor>
#include <QImage>

#include <initializer_list>

// Builders for skins written in code: component nodes, properties and values.
namespace zelto::testing {

TComponentValue IntValue(qint64 number);
TComponentValue TextValueOf(const QString &text);
TComponentValue IdentValue(const QString &identifier);
TComponentValue BoolValue(bool flag);
TComponentValue BinaryValue(const QByteArray &bytes);
TComponentValue SetValue(const QStringList &identifiers);
TComponentValue ListValue(const QStringList &texts);

TComponentProperty Prop(const QString &name, const TComponentValue &value);
// Left, Top, Width, Height.
QList<TComponentProperty> Bounds(int left, int top, int width, int height);

TComponentNode Node(const QString &className, const QString &name, QList<TComponentProperty> properties,
    QList<TComponentNode> children = {});

// A PNG file of one colour (alpha included), or of an image.
QByteArray PngOf(const QColor &colour, QSize size);
QByteArray PngOf(const QImage &image);

} // namespace zelto::testing
