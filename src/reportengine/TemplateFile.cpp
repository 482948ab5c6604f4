// Reading report templates from their JSON files.
//
// A template file is one JSON object:
//   name, title        the template's name ("frReport1") and the report's name
//   page               {width, height, margins: [left, top, right, bottom]} in mm (A4 portrait
//                      with 15 mm margins when left out)
//   dataLinks          [{name, component} | {name, user: true}]
//   variables          [{name, expression} | {name, sum: expression, band}]
//   bands              [{name, kind, height, stretch, dataLink, master, objects: [...]}]
// Band kinds: reportTitle, pageHeader, masterData, detailData, reportSummary, pageFooter.
// A text object: {name, x, y, width, height, lines: [...], font: {family, size, bold,
// color: "#RRGGBB"}, align: left|center|right, vcenter, format: text|amount|rate|date:<pattern>,
// frame: top|bottom|box, frameWidth: thin|thick, stretch, wordWrap}. A picture object has
// type "picture" and the options stretch and keepAspectRatio. Unknown keys are errors, so a
// misspelt option never passes silently.
#include "reportengine/ReportTemplate.h"

#include "data/Errors.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <initializer_list>

namespace tamevo::report {

namespace {

class Reader {
public:
    explicit Reader(const QString& source) : source_(source) {}

    [[noreturn]] void fail(const QString& what) const
    {
        throw Error(QStringLiteral("Rapor şablonu okunamadı (%1): %2").arg(source_, what));
    }

    void allowOnly(const QJsonObject& object, std::initializer_list<const char*> keys,
                   const QString& where) const
    {
        for (const QString& key : object.keys()) {
            bool known = false;
            for (const char* k : keys) {
                known = known || key == QLatin1String(k);
            }
            if (!known) {
                fail(QStringLiteral("%1: bilinmeyen anahtar \"%2\"").arg(where, key));
            }
        }
    }

    QString text(const QJsonObject& object, const char* key, const QString& where,
                 bool required = false) const
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined()) {
            if (required) {
                fail(QStringLiteral("%1: \"%2\" eksik").arg(where, QLatin1String(key)));
            }
            return {};
        }
        if (!value.isString()) {
            fail(QStringLiteral("%1: \"%2\" metin olmalı").arg(where, QLatin1String(key)));
        }
        return value.toString();
    }

    double number(const QJsonObject& object, const char* key, const QString& where, double fallback,
                  bool required = false) const
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined()) {
            if (required) {
                fail(QStringLiteral("%1: \"%2\" eksik").arg(where, QLatin1String(key)));
            }
            return fallback;
        }
        if (!value.isDouble()) {
            fail(QStringLiteral("%1: \"%2\" sayı olmalı").arg(where, QLatin1String(key)));
        }
        return value.toDouble();
    }

    bool flag(const QJsonObject& object, const char* key, const QString& where) const
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined()) {
            return false;
        }
        if (!value.isBool()) {
            fail(QStringLiteral("%1: \"%2\" true ya da false olmalı")
                     .arg(where, QLatin1String(key)));
        }
        return value.toBool();
    }

    QJsonArray array(const QJsonObject& object, const char* key, const QString& where) const
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined()) {
            return {};
        }
        if (!value.isArray()) {
            fail(QStringLiteral("%1: \"%2\" liste olmalı").arg(where, QLatin1String(key)));
        }
        return value.toArray();
    }

    QJsonObject objectAt(const QJsonValue& value, const QString& where) const
    {
        if (!value.isObject()) {
            fail(QStringLiteral("%1: nesne bekleniyor").arg(where));
        }
        return value.toObject();
    }

    PageSpec page(const QJsonObject& json) const
    {
        PageSpec page;
        if (json.isEmpty()) {
            return page;
        }
        allowOnly(json, {"width", "height", "margins"}, QStringLiteral("page"));
        page.width = number(json, "width", QStringLiteral("page"), page.width);
        page.height = number(json, "height", QStringLiteral("page"), page.height);
        const QJsonArray margins = array(json, "margins", QStringLiteral("page"));
        if (!margins.isEmpty()) {
            if (margins.size() != 4) {
                fail(QStringLiteral("page: margins dört sayı olmalı"));
            }
            page.marginLeft = margins[0].toDouble();
            page.marginTop = margins[1].toDouble();
            page.marginRight = margins[2].toDouble();
            page.marginBottom = margins[3].toDouble();
        }
        return page;
    }

    FontSpec font(const QJsonObject& json, const QString& where) const
    {
        FontSpec font;
        if (json.isEmpty()) {
            return font;
        }
        allowOnly(json, {"family", "size", "bold", "color"}, where);
        const QString family = text(json, "family", where);
        if (!family.isEmpty()) {
            font.family = family;
        }
        font.size = number(json, "size", where, font.size);
        font.bold = flag(json, "bold", where);
        const QString color = text(json, "color", where);
        if (!color.isEmpty()) {
            bool ok = color.size() == 7 && color.startsWith(QLatin1Char('#'));
            const uint rgb = ok ? color.mid(1).toUInt(&ok, 16) : 0;
            if (!ok) {
                fail(QStringLiteral("%1: renk #RRGGBB biçiminde olmalı").arg(where));
            }
            font.color = rgb;
        }
        return font;
    }

    ValueFormat format(const QString& text, const QString& where) const
    {
        ValueFormat format;
        if (text.isEmpty() || text == QLatin1String("text")) {
            return format;
        }
        if (text == QLatin1String("amount")) {
            format.kind = ValueFormat::Kind::Amount;
        } else if (text == QLatin1String("rate")) {
            format.kind = ValueFormat::Kind::Rate;
        } else if (text.startsWith(QLatin1String("date:")) && text.size() > 5) {
            format.kind = ValueFormat::Kind::Date;
            format.datePattern = text.mid(5);
        } else {
            fail(QStringLiteral("%1: bilinmeyen biçim \"%2\"").arg(where, text));
        }
        return format;
    }

    Frame frame(const QJsonObject& json, const QString& where) const
    {
        Frame frame;
        const QString lines = text(json, "frame", where);
        if (lines == QLatin1String("top")) {
            frame.top = true;
        } else if (lines == QLatin1String("bottom")) {
            frame.bottom = true;
        } else if (lines == QLatin1String("box")) {
            frame.top = frame.bottom = frame.left = frame.right = true;
        } else if (!lines.isEmpty()) {
            fail(QStringLiteral("%1: bilinmeyen çerçeve \"%2\"").arg(where, lines));
        }
        const QString width = text(json, "frameWidth", where);
        if (width == QLatin1String("thick")) {
            frame.width = Frame::kThick;
        } else if (!width.isEmpty() && width != QLatin1String("thin")) {
            fail(QStringLiteral("%1: çerçeve kalınlığı thin ya da thick olmalı").arg(where));
        }
        return frame;
    }

    ReportObject object(const QJsonObject& json, const QString& bandName) const
    {
        ReportObject object;
        object.name = text(json, "name", bandName, true);
        const QString where = bandName + QLatin1Char('.') + object.name;
        const QString type = text(json, "type", where);
        if (type == QLatin1String("picture")) {
            object.kind = ReportObject::Kind::Picture;
            allowOnly(json,
                      {"type", "name", "x", "y", "width", "height", "frame", "frameWidth",
                       "stretch", "keepAspectRatio"},
                      where);
        } else if (type.isEmpty() || type == QLatin1String("text")) {
            allowOnly(json,
                      {"type", "name", "x", "y", "width", "height", "frame", "frameWidth",
                       "stretch", "wordWrap", "font", "align", "vcenter", "format", "lines"},
                      where);
        } else {
            fail(QStringLiteral("%1: bilinmeyen nesne türü \"%2\"").arg(where, type));
        }
        object.x = number(json, "x", where, 0, true);
        object.y = number(json, "y", where, 0);
        object.width = number(json, "width", where, 0, true);
        object.height = number(json, "height", where, 0, true);
        object.frame = frame(json, where);
        object.stretch = flag(json, "stretch", where);
        object.keepAspectRatio = flag(json, "keepAspectRatio", where);
        object.wordWrap = flag(json, "wordWrap", where);
        object.font = font(json.value(QLatin1String("font")).toObject(), where);
        const QString align = text(json, "align", where);
        if (align == QLatin1String("center")) {
            object.align = HAlign::Center;
        } else if (align == QLatin1String("right")) {
            object.align = HAlign::Right;
        } else if (!align.isEmpty() && align != QLatin1String("left")) {
            fail(QStringLiteral("%1: bilinmeyen hizalama \"%2\"").arg(where, align));
        }
        object.vCenter = flag(json, "vcenter", where);
        object.format = format(text(json, "format", where), where);
        for (const QJsonValue& line : array(json, "lines", where)) {
            if (!line.isString()) {
                fail(QStringLiteral("%1: satırlar metin olmalı").arg(where));
            }
            object.lines << line.toString();
        }
        return object;
    }

    BandKind bandKind(const QString& kind, const QString& where) const
    {
        static const QList<std::pair<const char*, BandKind>> kinds{
            {"reportTitle", BandKind::ReportTitle},     {"pageHeader", BandKind::PageHeader},
            {"masterData", BandKind::MasterData},       {"detailData", BandKind::DetailData},
            {"reportSummary", BandKind::ReportSummary}, {"pageFooter", BandKind::PageFooter}};
        for (const auto& [name, value] : kinds) {
            if (kind == QLatin1String(name)) {
                return value;
            }
        }
        fail(QStringLiteral("%1: bilinmeyen bant türü \"%2\"").arg(where, kind));
    }

    Band band(const QJsonObject& json) const
    {
        Band band;
        band.name = text(json, "name", QStringLiteral("bands"), true);
        allowOnly(json, {"name", "kind", "height", "stretch", "dataLink", "master", "objects"},
                  band.name);
        band.kind = bandKind(text(json, "kind", band.name, true), band.name);
        band.height = number(json, "height", band.name, 0, true);
        band.stretch = flag(json, "stretch", band.name);
        band.dataLink = text(json, "dataLink", band.name);
        band.master = text(json, "master", band.name);
        for (const QJsonValue& value : array(json, "objects", band.name)) {
            band.objects << object(objectAt(value, band.name), band.name);
        }
        return band;
    }

    // The references between the parts must hold: unique object names, data bands on known
    // links, detail bands after their master, sums over known bands.
    void check(const ReportTemplate& report) const
    {
        QSet<QString> names;
        for (const Band& band : report.bands) {
            for (const ReportObject& object : band.objects) {
                if (names.contains(object.name)) {
                    fail(QStringLiteral("%1 nesne adı iki kez kullanılmış").arg(object.name));
                }
                names.insert(object.name);
            }
        }
        for (qsizetype i = 0; i < report.bands.size(); ++i) {
            const Band& band = report.bands[i];
            if (band.isData() && report.findDataLink(band.dataLink) == nullptr) {
                fail(QStringLiteral("%1: veri bağlantısı \"%2\" tanımlı değil")
                         .arg(band.name, band.dataLink));
            }
            if (band.kind == BandKind::DetailData) {
                bool masterBefore = false;
                for (qsizetype j = 0; j < i; ++j) {
                    masterBefore = masterBefore || (report.bands[j].name == band.master &&
                                                    report.bands[j].kind == BandKind::MasterData);
                }
                if (!masterBefore) {
                    fail(QStringLiteral("%1: ana veri bandı \"%2\" önce gelmeli")
                             .arg(band.name, band.master));
                }
            }
        }
        for (const DataLink& link : report.dataLinks) {
            if (!link.user && link.component.isEmpty()) {
                fail(QStringLiteral("%1: veri bileşeni eksik").arg(link.name));
            }
        }
        for (const Variable& variable : report.variables) {
            if (variable.isSum() && report.findBand(variable.sumBand) == nullptr) {
                fail(QStringLiteral("%1: bant \"%2\" yok").arg(variable.name, variable.sumBand));
            }
        }
    }

    ReportTemplate read(const QByteArray& json) const
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json, &error);
        if (document.isNull()) {
            fail(error.errorString());
        }
        if (!document.isObject()) {
            fail(QStringLiteral("nesne bekleniyor"));
        }
        const QJsonObject root = document.object();
        allowOnly(root, {"name", "title", "page", "dataLinks", "variables", "bands"},
                  QStringLiteral("şablon"));
        ReportTemplate report;
        report.name = text(root, "name", QStringLiteral("şablon"), true);
        report.title = text(root, "title", QStringLiteral("şablon"));
        report.page = page(root.value(QLatin1String("page")).toObject());
        for (const QJsonValue& value : array(root, "dataLinks", QStringLiteral("dataLinks"))) {
            const QJsonObject json = objectAt(value, QStringLiteral("dataLinks"));
            allowOnly(json, {"name", "component", "user"}, QStringLiteral("dataLinks"));
            report.dataLinks << DataLink{text(json, "name", QStringLiteral("dataLinks"), true),
                                         text(json, "component", QStringLiteral("dataLinks")),
                                         flag(json, "user", QStringLiteral("dataLinks"))};
        }
        for (const QJsonValue& value : array(root, "variables", QStringLiteral("variables"))) {
            const QJsonObject json = objectAt(value, QStringLiteral("variables"));
            allowOnly(json, {"name", "expression", "sum", "band"}, QStringLiteral("variables"));
            Variable variable;
            variable.name = text(json, "name", QStringLiteral("variables"), true);
            variable.sumBand = text(json, "band", variable.name);
            variable.expression = variable.isSum() ? text(json, "sum", variable.name, true)
                                                   : text(json, "expression", variable.name, true);
            report.variables << variable;
        }
        for (const QJsonValue& value : array(root, "bands", QStringLiteral("bands"))) {
            report.bands << band(objectAt(value, QStringLiteral("bands")));
        }
        check(report);
        return report;
    }

private:
    QString source_;
};

}  // namespace

ReportTemplate ReportTemplate::fromJson(const QByteArray& json, const QString& source)
{
    return Reader(source).read(json);
}

ReportTemplate ReportTemplate::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            QStringLiteral("Rapor şablonu açılamadı (%1): %2").arg(path, file.errorString()));
    }
    return fromJson(file.readAll(), path);
}

}  // namespace tamevo::report
