// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact_svg.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace crestaverde::art {
namespace {

using Attributes = std::vector<std::pair<QString, QString>>;

// Painter state the generator writes on every group, though no drawing here uses text.
const QStringList kTextAttributes = {QStringLiteral("font-family"), QStringLiteral("font-size"),
                                     QStringLiteral("font-weight"), QStringLiteral("font-style")};
const QStringList kStrokeOnly = {QStringLiteral("stroke-width"), QStringLiteral("stroke-linecap"),
                                 QStringLiteral("stroke-linejoin")};
const QStringList kGeometry = {
    QStringLiteral("d"),  QStringLiteral("points"), QStringLiteral("x"),     QStringLiteral("y"),
    QStringLiteral("cx"), QStringLiteral("cy"),     QStringLiteral("r"),     QStringLiteral("rx"),
    QStringLiteral("ry"), QStringLiteral("width"),  QStringLiteral("height")};

// Hundredths of a design pixel: a 71 x 96 card shown four times its size still places every
// point within a twenty-fifth of a screen pixel. No group's transform enlarges.
QString rounded(const QString& numbers) {
    static const QRegularExpression number(QStringLiteral(R"(-?\d*\.?\d+(?:[eE][-+]?\d+)?)"));
    QString out;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : number.globalMatch(numbers)) {
        out += numbers.mid(done, match.capturedStart() - done);
        const double value = std::round(match.captured().toDouble() * 100) / 100;
        out += QString::number(value == 0 ? 0.0 : value, 'g', 12);
        done = match.capturedEnd();
    }
    return out + numbers.mid(done);
}

bool inheritsDefault(const QDomElement& element, const QString& name) {
    for (QDomNode up = element.parentNode(); up.isElement(); up = up.parentNode()) {
        if (up.toElement().hasAttribute(name)) return false;
    }
    return true;
}

// True where the attribute changes nothing the renderer draws.
bool redundant(const QDomElement& element, const QString& name, const QString& value) {
    if (kTextAttributes.contains(name)) return true;
    if (name == QStringLiteral("vector-effect")) return value == QStringLiteral("none");
    if (name == QStringLiteral("transform")) return value == QStringLiteral("matrix(1,0,0,1,0,0)");
    if (name == QStringLiteral("fill-opacity") || name == QStringLiteral("stroke-opacity")) {
        return value == QStringLiteral("1") && inheritsDefault(element, name);
    }
    return kStrokeOnly.contains(name) && element.attribute(QStringLiteral("stroke")) == "none";
}

Attributes attributesOf(const QDomElement& element) {
    Attributes all;
    const QDomNamedNodeMap map = element.attributes();
    for (int i = 0; i < map.count(); ++i) {
        const QDomAttr attribute = map.item(i).toAttr();
        all.emplace_back(attribute.name(), attribute.value());
    }
    std::sort(all.begin(), all.end());
    return all;
}

void simplify(QDomElement element, bool inDefinitions) {
    inDefinitions = inDefinitions || element.tagName() == QStringLiteral("defs");
    for (const auto& [name, value] : attributesOf(element)) {
        if (inDefinitions) break;
        if (redundant(element, name, value)) {
            element.removeAttribute(name);
        } else if (kGeometry.contains(name)) {
            element.setAttribute(name, rounded(value));
        }
    }
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        simplify(child, inDefinitions);
    }
}

// Neighbouring groups of the same state become one: the drawing order stays as it was.
void mergeGroups(QDomElement element) {
    QDomElement child = element.firstChildElement();
    while (!child.isNull()) {
        QDomElement next = child.nextSiblingElement();
        if (child.tagName() == QStringLiteral("g") && !next.isNull() &&
            next.tagName() == QStringLiteral("g") && attributesOf(child) == attributesOf(next)) {
            while (next.hasChildNodes()) child.appendChild(next.firstChild());
            element.removeChild(next);
            continue;
        }
        mergeGroups(child);
        child = next;
    }
}

}  // namespace

QByteArray compactSvg(const QByteArray& svg) {
    QDomDocument document;
    if (!document.setContent(svg)) return svg;
    simplify(document.documentElement(), false);
    mergeGroups(document.documentElement());
    return document.toByteArray(-1);
}

}  // namespace crestaverde::art
