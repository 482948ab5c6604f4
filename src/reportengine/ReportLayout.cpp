#include "reportengine/ReportLayout.h"

#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Money.h"
#include "reportengine/Expression.h"
#include "reportengine/ReportPreviewPort.h"
#include "reportengine/ValueText.h"

#include <QHash>
#include <QRegularExpression>

#include <cmath>
#include <memory>

namespace tamevo::report {

namespace {

constexpr double kTolerance = 1e-6;

// An object with its text lines read, ready to be evaluated row after row.
struct CompiledObject {
    const ReportObject* object = nullptr;
    int style = 0;
    QVector<TextLine> lines;
    bool dynamic = false;    // has expressions
    QStringList fixedLines;  // the text of an object without expressions
    bool usesPage = false;   // [Page#] or [TotalPages]
};

struct CompiledBand {
    const Band* band = nullptr;
    int index = 0;
    QVector<CompiledObject> objects;
    int detail = -1;    // master bands: the index of their detail band
    QVector<int> sums;  // the sums that run over this band
    bool usesPage = false;
};

// A sum variable: its expression added up over the rows of its band. The reports sum money:
// each value counts in kuruş, rounded half away from zero as it prints, and the kuruş add as
// integers, so a total is exactly the sum of the rows printed above it.
struct RunningSum {
    Expression expression;
    int band = -1;
    std::int64_t kurus = 0;
};

// Walks the records of one data band.
class Walker {
public:
    virtual ~Walker() = default;
    virtual void first() = 0;
    virtual bool eof() = 0;
    virtual void next() = 0;
};

// A data source link: the component's report row from the first record to the last. At the
// end the row stays on the last record, as a data set stays on its last record.
class DatasetWalker : public Walker {
public:
    DatasetWalker(ReportData& data, int component, Dataset& dataset)
        : data_(data), component_(component), dataset_(dataset)
    {
    }
    void first() override
    {
        dataset_.open();
        count_ = dataset_.recordCount();
        row_ = 0;
        eof_ = count_ == 0;
        data_.setRowAt(component_, eof_ ? -1 : 0);
    }
    bool eof() override { return eof_; }
    void next() override
    {
        if (row_ + 1 < count_) {
            data_.setRowAt(component_, ++row_);
        } else {
            eof_ = true;
        }
    }

private:
    ReportData& data_;
    int component_;
    Dataset& dataset_;
    int count_ = 0;
    int row_ = 0;
    bool eof_ = true;
};

class UserWalker : public Walker {
public:
    explicit UserWalker(const UserLink& link) : link_(link) {}
    void first() override
    {
        if (link_.onFirst) {
            link_.onFirst();
        }
    }
    bool eof() override
    {
        bool end = false;
        if (link_.onCheckEOF) {
            link_.onCheckEOF(end);
        } else {
            end = true;
        }
        return end;
    }
    void next() override
    {
        if (link_.onNext) {
            link_.onNext();
        }
    }

private:
    const UserLink& link_;
};

// One object of a band as this row prints it.
struct ObjectLayout {
    QStringList lines;
    bool grows = false;
    bool evaluated = false;
};

class Preparer : public EvaluationContext {
public:
    Preparer(const ReportTemplate& report, ReportData& data, const TextMeasurer& measurer,
             const PrepareOptions& options)
        : report_(report), data_(data), measurer_(measurer), options_(options)
    {
        if (!options_.preparedAt.isValid()) {
            options_.preparedAt = QDateTime::currentDateTime();
        }
        dateText_ = reportDate(options_.preparedAt.date(), options_.locale);
        timeText_ = reportTime(options_.preparedAt.time(), options_.locale);
    }

    PreparedReport run()
    {
        compile();
        result_.name = report_.name;
        result_.title = report_.title;
        result_.page = report_.page;
        if (usesTotalPages_) {
            pass(true);
            totalPages_ = pageNumber_;
        }
        pass(false);
        if (usesTotalPages_ && pageNumber_ != totalPages_) {
            // The count changed the layout (a stretched text showing it): once more with the
            // count of the pages as they came out.
            totalPages_ = pageNumber_;
            pass(false);
        }
        return std::move(result_);
    }

    // --- Evaluation ----------------------------------------------------------------------
    QVariant field(int slot) const override { return data_.value(fields_[slot]); }
    QVariant variable(int slot) const override { return variables_[slot].evaluate(*this); }
    QVariant sum(int slot) const override { return fromKurus(sums_[slot].kurus); }
    QVariant special(Special special) const override
    {
        switch (special) {
            case Special::Date:
                return dateText_;
            case Special::Time:
                return timeText_;
            case Special::Page:
                return pageNumber_;
            case Special::TotalPages:
                return totalPages_;
            case Special::Line:
                return line_;
        }
        return {};
    }

private:
    // --- Compilation ---------------------------------------------------------------------

    Binding bind(const QString& component, const QString& name)
    {
        if (!component.isEmpty()) {
            fields_.append(data_.fieldRef(component, name));
            return {Binding::Kind::Field, int(fields_.size()) - 1, {}};
        }
        static const QList<std::pair<QString, Special>> specials{
            {QStringLiteral("date"), Special::Date},
            {QStringLiteral("time"), Special::Time},
            {QStringLiteral("page#"), Special::Page},
            {QStringLiteral("totalpages"), Special::TotalPages},
            {QStringLiteral("line#"), Special::Line}};
        const QString key = name.toLower();
        for (const auto& [specialName, special] : specials) {
            if (key == specialName) {
                usesTotalPages_ = usesTotalPages_ || special == Special::TotalPages;
                return {Binding::Kind::Special, 0, special};
            }
        }
        const auto found = names_.constFind(key);
        if (found == names_.constEnd()) {
            throw Error(QStringLiteral("bilinmeyen ad %1").arg(name));
        }
        return found.value();
    }

    void bindExpression(Expression& expression)
    {
        expression.bind([this](const QString& c, const QString& n) { return bind(c, n); });
    }

    void compileVariables()
    {
        for (const Variable& variable : report_.variables) {
            if (variable.isSum()) {
                int band = -1;
                for (int i = 0; i < report_.bands.size(); ++i) {
                    band = report_.bands[i].name == variable.sumBand ? i : band;
                }
                names_.insert(variable.name.toLower(), {Binding::Kind::Sum, int(sums_.size()), {}});
                sums_.append({Expression::parse(variable.expression), band, 0});
            } else {
                names_.insert(variable.name.toLower(),
                              {Binding::Kind::Variable, int(variables_.size()), {}});
                variables_.append(Expression::parse(variable.expression));
            }
        }
        // Names bind once every variable is known, so a variable may use one defined later.
        for (Expression& variable : variables_) {
            withContext(variable.text(), [&] { bindExpression(variable); });
        }
        for (RunningSum& sum : sums_) {
            withContext(sum.expression.text(), [&] { bindExpression(sum.expression); });
        }
        // A variable that reads itself, directly or through others, has no value.
        for (int i = 0; i < variables_.size(); ++i) {
            QVector<int> path{i};
            checkCycle(i, path);
        }
    }

    void checkCycle(int slot, QVector<int>& path)
    {
        for (int next : variables_[slot].variableSlots()) {
            if (path.contains(next)) {
                throw Error(
                    QStringLiteral("%1 değişkeni kendini kullanıyor").arg(variables_[next].text()));
            }
            path.append(next);
            checkCycle(next, path);
            path.removeLast();
        }
    }

    template <typename Body>
    void withContext(const QString& where, Body body)
    {
        try {
            body();
        } catch (const Error& error) {
            throw Error(where.isEmpty() ? error.text()
                                        : where + QStringLiteral(": ") + error.text());
        }
    }

    void compile()
    {
        compileVariables();
        for (int b = 0; b < report_.bands.size(); ++b) {
            const Band& band = report_.bands[b];
            result_.bandNames << band.name;
            CompiledBand compiled;
            compiled.band = &band;
            compiled.index = b;
            for (const ReportObject& object : band.objects) {
                CompiledObject c;
                c.object = &object;
                c.style = int(result_.styles.size());
                result_.styles.append({object.name, band.name, object.kind, object.font,
                                       object.align, object.vCenter, object.frame,
                                       object.keepAspectRatio, object.stretch, object.picture});
                withContext(object.name, [&] {
                    for (const QString& line : object.lines) {
                        TextLine parsed = parseTextLine(line);
                        for (TextSegment& segment : parsed) {
                            if (segment.isExpression) {
                                bindExpression(segment.expression);
                                c.dynamic = true;
                                c.usesPage = c.usesPage || segment.expression.uses(Special::Page) ||
                                             segment.expression.uses(Special::TotalPages);
                            }
                        }
                        c.lines.append(parsed);
                    }
                });
                if (!c.dynamic) {
                    c.fixedLines = splitLines(object.lines.join(QLatin1Char('\n')));
                }
                compiled.usesPage = compiled.usesPage || c.usesPage;
                compiled.objects.append(c);
            }
            for (int s = 0; s < sums_.size(); ++s) {
                if (sums_[s].band == b) {
                    compiled.sums << s;
                }
            }
            bands_.append(compiled);
        }
        for (CompiledBand& band : bands_) {
            switch (band.band->kind) {
                case BandKind::ReportTitle:
                    title_ = &band;
                    break;
                case BandKind::PageHeader:
                    header_ = &band;
                    break;
                case BandKind::PageFooter:
                    footer_ = &band;
                    break;
                case BandKind::ReportSummary:
                    summary_ = &band;
                    break;
                case BandKind::MasterData:
                    masters_ << &band;
                    break;
                case BandKind::DetailData:
                    for (CompiledBand& master : bands_) {
                        if (master.band->name == band.band->master) {
                            master.detail = band.index;
                        }
                    }
                    break;
            }
            if (band.band->isData()) {
                walkers_.insert(band.index, makeWalker(*band.band));
            }
        }
    }

    std::shared_ptr<Walker> makeWalker(const Band& band)
    {
        const DataLink* link = report_.findDataLink(band.dataLink);
        if (link->user) {
            const UserLink* callbacks = data_.userLink(link->name);
            if (callbacks == nullptr) {
                throw Error(QStringLiteral("%1 veri bağlantısı tanımlı değil").arg(link->name));
            }
            return std::make_shared<UserWalker>(*callbacks);
        }
        Dataset* dataset = data_.dataset(link->component);
        if (dataset == nullptr) {
            throw Error(QStringLiteral("Rapor verisinde %1 yok.").arg(link->component));
        }
        return std::make_shared<DatasetWalker>(data_, data_.componentIndex(link->component),
                                               *dataset);
    }

    // --- Text ----------------------------------------------------------------------------

    static QStringList splitLines(const QString& text)
    {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
        if (text.isEmpty()) {
            return {};
        }
        if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
            return {text};
        }
        return text.split(breaks);
    }

    QString evaluateLine(const TextLine& line, const ValueFormat& format) const
    {
        if (line.size() == 1 && line[0].isExpression) {
            return formatValue(line[0].expression.evaluate(*this), format, options_.locale);
        }
        QString text;
        for (const TextSegment& segment : line) {
            text += segment.isExpression
                        ? formatValue(segment.expression.evaluate(*this), format, options_.locale)
                        : segment.literal;
        }
        return text;
    }

    // The visible lines of an object's text for its width (no limit of height yet).
    QStringList visualLines(const CompiledObject& c) const
    {
        const ReportObject& object = *c.object;
        QStringList raw;
        if (c.dynamic) {
            QString text;
            for (int i = 0; i < c.lines.size(); ++i) {
                if (i > 0) {
                    text += QLatin1Char('\n');
                }
                text += evaluateLine(c.lines[i], object.format);
            }
            raw = splitLines(text);
        } else {
            raw = c.fixedLines;
        }
        bool blank = true;
        for (const QString& line : raw) {
            blank = blank && line.isEmpty();
        }
        if (blank) {
            return {};
        }
        const double width = object.width - 2 * kTextPaddingX;
        QStringList lines;
        for (const QString& line : raw) {
            if (line.isEmpty()) {
                lines << line;
            } else if (object.wordWrap) {
                lines << measurer_.wrap(line, object.font, width);
            } else {
                lines << measurer_.cut(line, object.font, width);
            }
        }
        return lines;
    }

    double blockHeight(qsizetype lines, const FontSpec& font) const
    {
        if (lines == 0) {
            return 0;
        }
        return double(lines - 1) * measurer_.lineSpacing(font) + measurer_.lineHeight(font) +
               2 * kTextPaddingY;
    }

    // How many lines fit in a height (at least one: a line too tall for its object still
    // shows what it can).
    qsizetype linesThatFit(double height, const FontSpec& font) const
    {
        const double room = height - 2 * kTextPaddingY - measurer_.lineHeight(font);
        if (room < -kTolerance) {
            return 1;
        }
        return qsizetype(std::floor((room + kTolerance) / measurer_.lineSpacing(font))) + 1;
    }

    // --- Composition ---------------------------------------------------------------------

    void pass(bool counting)
    {
        counting_ = counting;
        data_.resetRows();
        for (RunningSum& sum : sums_) {
            sum.kurus = 0;
        }
        result_.pages.clear();
        pageNumber_ = 0;
        footerTop_ = report_.page.height - report_.page.marginBottom -
                     (footer_ != nullptr ? footer_->band->height : 0);
        startPage();
        for (CompiledBand* master : masters_) {
            Walker& walker = *walkers_.value(master->index);
            int masterLine = 0;
            walker.first();
            while (!walker.eof()) {
                printBand(*master, ++masterLine);
                if (master->detail >= 0) {
                    CompiledBand& detail = bands_[master->detail];
                    Walker& details = *walkers_.value(detail.index);
                    int detailLine = 0;
                    details.first();
                    while (!details.eof()) {
                        printBand(detail, ++detailLine);
                        details.next();
                    }
                }
                walker.next();
            }
        }
        if (summary_ != nullptr) {
            printBand(*summary_, 0);
        }
        finishPage();
    }

    void startPage()
    {
        ++pageNumber_;
        stepProgress(options_.progress, pageNumber_, totalPages_,
                     QStringLiteral("Sayfa %1 hazırlanıyor").arg(pageNumber_));
        if (!counting_) {
            result_.pages.append(PreparedPage());
        }
        y_ = report_.page.marginTop;
        bodyStarted_ = false;
        if (pageNumber_ == 1 && title_ != nullptr) {
            place(*title_, 0, y_);
        }
        if (header_ != nullptr) {
            place(*header_, 0, y_);
        }
    }

    void finishPage()
    {
        if (footer_ != nullptr) {
            double y = footerTop_;
            place(*footer_, 0, y);
        }
    }

    // A data band or the summary: on this page when it fits above the page footer, else on
    // a new one (a band taller than a whole page prints on a page of its own).
    void printBand(CompiledBand& band, int line)
    {
        line_ = line;
        for (int s : band.sums) {
            const QVariant value = sums_[s].expression.evaluate(*this);
            bool ok = true;
            sums_[s].kurus += value.isNull() ? 0 : kurus(value.toDouble(&ok));
            if (!ok) {
                throw Error(QStringLiteral("İfade hesaplanamadı [%1]: \"%2\" sayı değil")
                                .arg(sums_[s].expression.text(), value.toString()));
            }
        }
        QVector<ObjectLayout> layouts;
        double height = layOut(band, layouts);
        if (bodyStarted_ && y_ + height > footerTop_ + kTolerance) {
            finishPage();
            startPage();
            line_ = line;
            if (band.usesPage) {
                height = layOut(band, layouts);
            }
        }
        commit(band, layouts, height, y_);
        y_ += height;
        bodyStarted_ = true;
    }

    void place(CompiledBand& band, int line, double& y)
    {
        line_ = line;
        QVector<ObjectLayout> layouts;
        const double height = layOut(band, layouts);
        commit(band, layouts, height, y);
        y += height;
    }

    // Evaluates a band's objects; returns its height. While counting pages only what can
    // change the height is evaluated.
    double layOut(const CompiledBand& band, QVector<ObjectLayout>& layouts) const
    {
        layouts.resize(band.objects.size());
        double growth = 0;
        for (int i = 0; i < band.objects.size(); ++i) {
            const CompiledObject& c = band.objects[i];
            ObjectLayout& layout = layouts[i];
            layout.grows = band.band->stretch && c.object->stretch &&
                           c.object->kind == ReportObject::Kind::Text;
            layout.evaluated = false;
            if (c.object->kind != ReportObject::Kind::Text || (counting_ && !layout.grows)) {
                continue;
            }
            layout.lines = visualLines(c);
            layout.evaluated = true;
            if (layout.grows) {
                growth = std::max(
                    growth, blockHeight(layout.lines.size(), c.object->font) - c.object->height);
            }
        }
        return band.band->height + growth;
    }

    void commit(const CompiledBand& band, QVector<ObjectLayout>& layouts, double height, double top)
    {
        if (counting_) {
            return;
        }
        PreparedPage& page = result_.pages.last();
        PlacedBand placed;
        placed.band = band.index;
        placed.y = float(top);
        placed.height = float(height);
        placed.line = band.band->isData() ? line_ : 0;
        placed.firstItem = int(page.items.size());
        const double growth = height - band.band->height;
        for (int i = 0; i < band.objects.size(); ++i) {
            const CompiledObject& c = band.objects[i];
            const ReportObject& object = *c.object;
            ObjectLayout& layout = layouts[i];
            const double objectHeight = object.height + (layout.grows ? growth : 0);
            if (object.kind == ReportObject::Kind::Picture) {
                if (!object.picture.isEmpty() || object.frame.any()) {
                    page.items.append({c.style,
                                       float(object.x),
                                       float(top + object.y),
                                       float(object.width),
                                       float(objectHeight),
                                       {}});
                }
                continue;
            }
            const qsizetype fit = linesThatFit(objectHeight, object.font);
            if (layout.lines.size() > fit) {
                layout.lines.resize(fit);
            }
            if (layout.lines.isEmpty() && !object.frame.any()) {
                continue;
            }
            page.items.append({c.style, float(object.x), float(top + object.y), float(object.width),
                               float(objectHeight), layout.lines.join(QLatin1Char('\n'))});
        }
        placed.itemCount = int(page.items.size()) - placed.firstItem;
        page.bands.append(placed);
    }

    const ReportTemplate& report_;
    ReportData& data_;
    const TextMeasurer& measurer_;
    PrepareOptions options_;
    QString dateText_;
    QString timeText_;

    QVector<ReportData::FieldRef> fields_;
    QVector<Expression> variables_;
    QVector<RunningSum> sums_;
    QHash<QString, Binding> names_;
    QVector<CompiledBand> bands_;
    CompiledBand* title_ = nullptr;
    CompiledBand* header_ = nullptr;
    CompiledBand* footer_ = nullptr;
    CompiledBand* summary_ = nullptr;
    QVector<CompiledBand*> masters_;
    QHash<int, std::shared_ptr<Walker>> walkers_;
    bool usesTotalPages_ = false;

    PreparedReport result_;
    bool counting_ = false;
    int pageNumber_ = 0;
    int totalPages_ = 0;
    int line_ = 0;
    double y_ = 0;
    double footerTop_ = 0;
    bool bodyStarted_ = false;
};

}  // namespace

PreparedReport prepareReport(const ReportTemplate& report, ReportData& data,
                             const TextMeasurer& measurer, const PrepareOptions& options)
{
    try {
        return Preparer(report, data, measurer, options).run();
    } catch (const Error& error) {
        const QString name = report.title.isEmpty() ? report.name : report.title;
        throw Error(QStringLiteral("%1 raporu hazırlanamadı: %2").arg(name, error.text()));
    }
}

void previewPrepared(const std::function<PreparedReport(const PrepareOptions&)>& prepare)
{
    PreparedReport prepared;
    {
        const auto progress = dialogs().startProgress(QStringLiteral("Rapor Hazırlanıyor"), true);
        PrepareOptions options;
        options.progress = progress.get();
        prepared = prepare(options);
    }
    previewPort().preview(prepared);
}

}  // namespace tamevo::report
