#include "WorkbookReader.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include <gtest/gtest.h>

namespace tamevo::test {

namespace {

const QString kSheet = QStringLiteral("xl/worksheets/sheet1.xml");

QString attribute(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1String(name)).toString();
}

int rowOf(const QString& ref)
{
    static const QRegularExpression digits(QStringLiteral("\\d+$"));
    return digits.match(ref).captured().toInt();
}

}  // namespace

WorkbookReader::WorkbookReader(const QString& path)
{
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (zip == nullptr) {
        ADD_FAILURE() << "not a readable ZIP archive: " << path.toStdString() << " (" << error
                      << ")";
        return;
    }
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, zip_uint64_t(i), 0, &stat);
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
        const bool read =
            file != nullptr && zip_fread(file, bytes.data(), stat.size) == zip_int64_t(stat.size);
        if (file != nullptr) {
            zip_fclose(file);
        }
        EXPECT_TRUE(read) << stat.name;
        const QString name = QString::fromUtf8(stat.name);
        entries_ << name;
        parts_.insert(name, bytes);
        if (name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels"))) {
            QXmlStreamReader xml(bytes);
            while (!xml.atEnd()) {
                xml.readNext();
            }
            if (xml.hasError()) {
                ADD_FAILURE() << name.toStdString() << ": " << xml.errorString().toStdString();
                wellFormed_ = false;
            }
        }
    }
    zip_close(zip);
    readSharedStrings();
    readStyles();
    readSheet();
}

void WorkbookReader::readSharedStrings()
{
    QXmlStreamReader xml(entry(QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            sharedStrings_ << QString();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("t") &&
                   !sharedStrings_.isEmpty()) {
            sharedStrings_.last() += xml.readElementText();
        }
    }
}

void WorkbookReader::readStyles()
{
    QXmlStreamReader xml(entry(QStringLiteral("xl/styles.xml")));
    QHash<int, QString> numberFormats;
    QList<Format> fonts;  // bold and size of each font
    QString section;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringView name = xml.name();
        if (name == QLatin1String("fonts") || name == QLatin1String("cellXfs") ||
            name == QLatin1String("cellStyleXfs") || name == QLatin1String("numFmts")) {
            section = name.toString();
        } else if (name == QLatin1String("numFmt")) {
            numberFormats.insert(attribute(xml, "numFmtId").toInt(), attribute(xml, "formatCode"));
        } else if (name == QLatin1String("font") && section == QLatin1String("fonts")) {
            fonts << Format{};
        } else if (name == QLatin1String("b") && section == QLatin1String("fonts")) {
            fonts.last().bold = true;
        } else if (name == QLatin1String("sz") && section == QLatin1String("fonts")) {
            fonts.last().size = attribute(xml, "val").toDouble();
        } else if (name == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
            Format format = fonts.value(attribute(xml, "fontId").toInt());
            format.numberFormatId = attribute(xml, "numFmtId").toInt();
            format.numberFormat = numberFormats.value(format.numberFormatId);
            formats_ << format;
        }
    }
}

void WorkbookReader::readSheet()
{
    QXmlStreamReader xml(entry(kSheet));
    QString ref;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringView name = xml.name();
        if (name == QLatin1String("col")) {
            const int first = attribute(xml, "min").toInt();
            const int last = attribute(xml, "max").toInt();
            for (int column = first; column <= last && column <= 26; ++column) {
                widths_.insert(char('A' + column - 1), attribute(xml, "width").toDouble());
            }
        } else if (name == QLatin1String("row")) {
            Row row;
            if (xml.attributes().hasAttribute(QLatin1String("s"))) {
                row.style = attribute(xml, "s").toInt();
            }
            row.height = attribute(xml, "ht").toDouble();
            rows_.insert(attribute(xml, "r").toInt(), row);
        } else if (name == QLatin1String("c")) {
            ref = attribute(xml, "r");
            Cell& cell = cells_[ref];
            cell.type = attribute(xml, "t");
            cell.style = attribute(xml, "s").toInt();
        } else if (name == QLatin1String("f")) {
            cells_[ref].formula = xml.readElementText();
        } else if (name == QLatin1String("v")) {
            Cell& cell = cells_[ref];
            cell.value = xml.readElementText();
            if (cell.type == QLatin1String("s")) {
                cell.value = sharedStrings_.value(cell.value.toInt());
            }
        } else if (name == QLatin1String("t")) {
            cells_[ref].value += xml.readElementText();  // an inline string
        }
    }
}

QStringList WorkbookReader::cellsOfRow(int row) const
{
    QStringList refs;
    for (auto it = cells_.begin(); it != cells_.end(); ++it) {
        if (rowOf(it.key()) == row) {
            refs << it.key();
        }
    }
    refs.sort();
    return refs;
}

}  // namespace tamevo::test
