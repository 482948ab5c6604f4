#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tamevo::report {

// The kinds of band, in the roles the page composition gives them.
enum class BandKind { ReportTitle, PageHeader, MasterData, DetailData, ReportSummary, PageFooter };

enum class HAlign { Left, Center, Right };

// How a value is written: as text by the system's conventions, as an amount ("1.234,50"),
// as an exchange rate (five decimals) or as a date by a pattern ("dd.mm.yyyy").
struct ValueFormat {
    enum class Kind { Text, Amount, Rate, Date };
    Kind kind = Kind::Text;
    QString datePattern;  // for Date: the pattern as the template writes it

    bool operator==(const ValueFormat&) const = default;
};

struct FontSpec {
    QString family = QStringLiteral("Times New Roman Tur");
    double size = 9.0;  // points
    bool bold = false;
    quint32 color = 0x000000;  // 0xRRGGBB

    bool operator==(const FontSpec&) const = default;
};

// Frame lines of an object: a rule above, a rule below, or a box on all four sides.
struct Frame {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    double width = kThin;  // mm

    static constexpr double kThin = 0.3;
    static constexpr double kThick = 0.6;

    bool any() const { return top || bottom || left || right; }
    bool operator==(const Frame&) const = default;
};

// A text or picture object of a band. Positions are millimetres: x from the left paper edge,
// y from the top of the band.
struct ReportObject {
    enum class Kind { Text, Picture };
    Kind kind = Kind::Text;
    QString name;  // unique within the template
    double x = 0, y = 0, width = 0, height = 0;
    Frame frame;
    bool stretch = false;  // grows with its text (in a stretched band)
    // Text objects.
    bool wordWrap = false;
    FontSpec font;
    HAlign align = HAlign::Left;
    bool vCenter = false;
    ValueFormat format;
    QStringList lines;  // text lines: literal text with bracketed expressions
    // Picture objects: the image file's bytes, put in by the program before printing.
    bool keepAspectRatio = false;
    QByteArray picture;

    bool operator==(const ReportObject&) const = default;
};

struct Band {
    QString name;
    BandKind kind = BandKind::MasterData;
    double height = 0;     // mm
    bool stretch = false;  // grows to its tallest stretched object
    QString dataLink;      // data bands: the data link walked
    QString master;        // detail bands: the master data band they follow
    QVector<ReportObject> objects;

    bool isData() const { return kind == BandKind::MasterData || kind == BandKind::DetailData; }
    bool operator==(const Band&) const = default;
};

// A data link: a data source link walks a named data component from its first record to its
// end; a user link is walked through the callbacks the program gives (first, next, end).
struct DataLink {
    QString name;
    QString component;  // data source links: the component walked
    bool user = false;

    bool operator==(const DataLink&) const = default;
};

// A named expression of the template, usable in brackets; a sum variable adds up the value
// of `expression` over the rows of `sumBand` as they print.
struct Variable {
    QString name;
    QString expression;
    QString sumBand;  // empty: a plain expression

    bool isSum() const { return !sumBand.isEmpty(); }
    bool operator==(const Variable&) const = default;
};

struct PageSpec {
    double width = 210, height = 297;  // mm, as the paper lies (landscape: width > height)
    double marginLeft = 15, marginTop = 15, marginRight = 15, marginBottom = 15;

    bool operator==(const PageSpec&) const = default;
};

// A band report template: one page design, its bands in print order, data links and
// variables. Templates are data files; the program finds objects by name and replaces
// their text (the text stays until replaced again) or loads a picture into them.
class ReportTemplate {
public:
    QString name;   // "frReport1"
    QString title;  // "Günlük Kasa Raporu"
    PageSpec page;
    QVector<Band> bands;
    QVector<DataLink> dataLinks;
    QVector<Variable> variables;

    // Reads a template from its JSON text; `source` names it in error messages. Throws Error.
    static ReportTemplate fromJson(const QByteArray& json, const QString& source);
    // Reads a template file (a resource path such as ":/reports/..." or a file). Throws Error.
    static ReportTemplate load(const QString& path);

    // The object of that name, or nullptr.
    ReportObject* findObject(const QString& name);
    const ReportObject* findObject(const QString& name) const;
    const Band* findBand(const QString& name) const;
    const DataLink* findDataLink(const QString& name) const;

    // Replaces all text lines of the named object with `text` (which may be empty). Throws
    // Error when the template has no such text object.
    void replaceText(const QString& objectName, const QString& text);
    // Loads an image file into the named picture object. Throws Error.
    void loadPicture(const QString& objectName, const QString& imagePath);

    bool operator==(const ReportTemplate&) const = default;
};

}  // namespace tamevo::report
