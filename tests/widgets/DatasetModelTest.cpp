#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "widgets/DatasetModel.h"
#include "data/Errors.h"

#include "support/ProgramFolderFixture.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace tamevo;
using tamevo::test::ProgramFolderTest;

namespace {

const QString kKasa = QStringLiteral("Kasa.mdb");

// Collects what Qt's model checker reports, so a test can expect it to have found nothing.
class ModelCheckMessages {
public:
    ModelCheckMessages() { previous_ = qInstallMessageHandler(&ModelCheckMessages::collect); }
    ~ModelCheckMessages() { qInstallMessageHandler(previous_); }
    static QStringList& found()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        if (QLatin1String(context.category) == QLatin1String("qt.modeltest")) {
            found() << text;
        }
    }
    QtMessageHandler previous_;
};

}  // namespace

class DatasetModelTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        execute(kKasa, {QStringLiteral("INSERT INTO nakit (islem_tarihi, firmaadi, borc_tutar) "
                                       "VALUES ('2021-01-04', 'A', 1234.5)"),
                        QStringLiteral("INSERT INTO nakit (islem_tarihi, firmaadi, alacak_tutar) "
                                       "VALUES ('2021-01-04', 'B', 20)"),
                        QStringLiteral("INSERT INTO nakit (islem_tarihi, firmaadi, borc_tutar) "
                                       "VALUES ('2021-01-05', 'C', 30)")});
        connection = std::make_unique<Connection>(QStringLiteral("kasaConnection"));
        connection->setConnectionString(BaglantiMetni(kKasa));
        connection->open();
        nakit = std::make_unique<Dataset>(*connection, QStringLiteral("nakitTable"));
        nakit->setTable(QStringLiteral("nakit"));
        nakit->open();
        model = std::make_unique<DatasetModel>(*nakit);
        model->addColumn(QStringLiteral("islem_tarihi"), QStringLiteral("Tarih"));
        model->addColumn(QStringLiteral("firmaadi"), QStringLiteral("Firma"));
        model->addColumn(
            QStringLiteral("borc_tutar"), QStringLiteral("Borç"),
            [](const QVariant& value) {
                return value.isNull()
                           ? QString()
                           : QLocale(QLocale::Turkish).toString(value.toDouble(), 'f', 2);
            },
            Qt::AlignRight | Qt::AlignVCenter);
    }
    void TearDown() override
    {
        model.reset();
        nakit.reset();
        connection.reset();
        ProgramFolderTest::TearDown();
    }

    QString text(int row, int column) const
    {
        return model->data(model->index(row, column)).toString();
    }

    std::unique_ptr<Connection> connection;
    std::unique_ptr<Dataset> nakit;
    std::unique_ptr<DatasetModel> model;
};

TEST_F(DatasetModelTest, ShowsTheChosenColumnsWithTextsAlignmentAndColours)
{
    model->setCellStyle([](const DatasetRow& row, const QString& field) {
        CellStyle style;
        style.background = row.index() % 2 == 0 ? QColor(Qt::white) : QColor(Qt::lightGray);
        if (field == QLatin1String("firmaadi") &&
            !row.value(QStringLiteral("alacak_tutar")).isNull()) {
            style.foreground = Qt::red;
        }
        return style;
    });
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Borç"));
    EXPECT_EQ(text(0, 0), QStringLiteral("04.01.2021"));
    EXPECT_EQ(text(0, 1), QStringLiteral("A"));
    EXPECT_EQ(text(0, 2), QStringLiteral("1.234,50"));
    EXPECT_EQ(text(1, 2), QString());
    EXPECT_EQ(model->data(model->index(0, 2), Qt::TextAlignmentRole).toInt(),
              (Qt::AlignRight | Qt::AlignVCenter).toInt());

    const auto brush = [&](int row, int column, Qt::ItemDataRole role) {
        return model->data(model->index(row, column), role).value<QBrush>().color();
    };
    EXPECT_EQ(brush(0, 0, Qt::BackgroundRole), QColor(Qt::white));
    EXPECT_EQ(brush(1, 0, Qt::BackgroundRole), QColor(Qt::lightGray));
    EXPECT_EQ(brush(1, 1, Qt::ForegroundRole), QColor(Qt::red));
    EXPECT_FALSE(model->data(model->index(0, 1), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model->data(model->index(1, 0), Qt::ForegroundRole).isValid());
}

TEST_F(DatasetModelTest, FollowsEveryChangeOfTheDataset)
{
    ModelCheckMessages checkMessages;
    QAbstractItemModelTester checker(model.get(),
                                     QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy resets(model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);

    nakit->append();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model->rowCount(), 4);
    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("D"));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(text(3, 1), QStringLiteral("D"));
    nakit->cancel();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model->rowCount(), 3);

    nakit->first();
    nakit->remove();
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(text(0, 1), QStringLiteral("B"));

    execute(kKasa, {QStringLiteral("INSERT INTO nakit (firmaadi) VALUES ('E')")});
    nakit->refresh();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(text(2, 1), QStringLiteral("E"));

    connection->close();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(ModelCheckMessages::found().isEmpty())
        << ModelCheckMessages::found().join(QLatin1Char('\n')).toStdString();
}

TEST_F(DatasetModelTest, TheViewAndTheDatasetStayOnTheSameRow)
{
    QTableView view;
    bindTableView(view, *model);
    view.resize(500, 300);
    view.show();
    const auto viewRow = [&] { return view.selectionModel()->currentIndex().row(); };
    const auto selectedRows = [&] {
        QList<int> rows;
        for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
            rows << index.row();
        }
        return rows;
    };
    const auto click = [&](int row) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          view.visualRect(model->index(row, 1)).center());
        QCoreApplication::processEvents();
    };
    EXPECT_EQ(viewRow(), 0);

    nakit->last();
    EXPECT_EQ(viewRow(), 2);
    click(1);
    EXPECT_EQ(nakit->currentIndex(), 1);
    EXPECT_EQ(selectedRows(), QList<int>({1}));

    // The view lets go of a deleted row without moving the dataset on its own.
    QSignalSpy moves(nakit.get(), &Dataset::currentChanged);
    nakit->remove();
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(nakit->value(QStringLiteral("firmaadi")), QVariant(QStringLiteral("C")));
    EXPECT_EQ(selectedRows(), QList<int>({1}));

    // An unchanged new row is dropped on the way.
    nakit->append();
    EXPECT_EQ(viewRow(), 2);
    click(0);
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(nakit->currentIndex(), 0);
    EXPECT_EQ(selectedRows(), QList<int>({0}));

    // A refused post shows its message and the view goes back to the dataset's row.
    nakit->setBeforePost(
        [](Dataset&) { throw ValidationError(QStringLiteral("Firma adı eksik.")); });
    nakit->append();
    nakit->setValue(QStringLiteral("aciklama"), QStringLiteral("yarım"));
    click(1);
    EXPECT_EQ(dialogs().messages(), QStringList({QStringLiteral("Firma adı eksik.")}));
    EXPECT_EQ(nakit->currentIndex(), 2);
    EXPECT_EQ(nakit->state(), DatasetState::Insert);
    EXPECT_EQ(viewRow(), 2);
    EXPECT_EQ(selectedRows(), QList<int>({2}));
}
