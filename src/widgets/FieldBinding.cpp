#include "widgets/FieldBinding.h"

#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/DisplayFormat.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tamevo {

namespace {

int decimalsOf(FieldKind kind)
{
    return kind == FieldKind::Rate ? 4 : 2;
}

QString patternFor(FieldKind kind, bool editing)
{
    switch (kind) {
        case FieldKind::Amount:
            return editing ? kAmountEdit : kAmountDisplay;
        case FieldKind::Rate:
            return editing ? kRateEdit : kRateDisplay;
        case FieldKind::Text:
            break;
    }
    return {};
}

// Keeps one edit in step with its field.
class LineEditBinding : public QObject {
public:
    LineEditBinding(QLineEdit* edit, Dataset* dataset, const QString& field, FieldKind kind)
        : QObject(edit), edit_(edit), dataset_(dataset), field_(field), kind_(kind)
    {
        dataset->onAnyChange(this, [this] { showValue(); });
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) { write(text); });
        edit->installEventFilter(this);
        showValue();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            showValue();
        }
        // The numeric keypad's decimal key types the locale's decimal separator, whatever the
        // key is labelled.
        if (kind_ != FieldKind::Text && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & Qt::KeypadModifier) &&
                (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma)) {
                edit_->insert(QLocale().decimalPoint());
                write(edit_->text());
                return true;
            }
        }
        return false;
    }

private:
    void showValue()
    {
        if (writing_) {
            return;
        }
        // A refused text stays as typed while its row is being edited, so the user sees it
        // and storing the row refuses it; another row or a cancelled edit replaces it.
        if (refusedRow_ >= 0) {
            if (dataset_->isOpen() && dataset_->isEditing() &&
                dataset_->currentIndex() == refusedRow_) {
                return;
            }
            refusedRow_ = -1;
        }
        const QVariant value = dataset_->isOpen() ? dataset_->value(field_) : QVariant();
        const QString text = kind_ == FieldKind::Text
                                 ? value.toString()
                                 : formatField(value, patternFor(kind_, edit_->hasFocus()));
        if (edit_->text() != text) {
            edit_->setText(text);
        }
    }

    void write(const QString& text)
    {
        QVariant value;
        if (kind_ == FieldKind::Text) {
            value = text.isEmpty() ? QVariant() : QVariant(text);
        } else {
            bool ok = false;
            value = parseAmount(text, &ok, QLocale(), decimalsOf(kind_));
            if (!ok) {
                // Not an amount as the locale writes it: never a guess. The pending row holds
                // no amount meanwhile, so the grid shows no figure left from an earlier
                // keystroke ("30" of "30.5"), and storing the row refuses the text.
                refusedRow_ = dataset_->isOpen() ? dataset_->currentIndex() : -1;
                if (refusedRow_ < 0 || !dataset_->isEditing()) {
                    guarded([&] { dataset_->edit(); });
                    refusedRow_ = dataset_->isOpen() ? dataset_->currentIndex() : -1;
                }
                if (refusedRow_ < 0 || !dataset_->isEditing()) {
                    return;
                }
                value = QVariant();
            } else {
                refusedRow_ = -1;
            }
        }
        writing_ = true;
        guarded([&] { dataset_->setValue(field_, value); });
        writing_ = false;
    }

    QLineEdit* edit_;
    Dataset* dataset_;
    QString field_;
    FieldKind kind_;
    bool writing_ = false;
    int refusedRow_ = -1;  // the row whose refused text the edit keeps
};

class ComboBoxBinding : public QObject {
public:
    ComboBoxBinding(QComboBox* box, Dataset* dataset, const QString& field)
        : QObject(box), box_(box), dataset_(dataset), field_(field)
    {
        dataset->onAnyChange(this, [this] { showValue(); });
        connect(box, &QComboBox::textActivated, this, [this](const QString& t) { write(t); });
        if (box->isEditable()) {
            connect(box, &QComboBox::editTextChanged, this, [this](const QString& t) {
                if (box_->lineEdit()->isModified()) {
                    write(t);
                }
            });
        }
        showValue();
    }

private:
    void showValue()
    {
        if (writing_) {
            return;
        }
        const QString text = dataset_->isOpen() ? dataset_->value(field_).toString() : QString();
        const int index = box_->findText(text, Qt::MatchExactly);
        if (box_->isEditable()) {
            box_->setCurrentIndex(index);
            box_->setEditText(text);
        } else {
            box_->setCurrentIndex(index);
        }
    }

    void write(const QString& text)
    {
        writing_ = true;
        guarded([&] { dataset_->setValue(field_, text.isEmpty() ? QVariant() : QVariant(text)); });
        writing_ = false;
    }

    QComboBox* box_;
    Dataset* dataset_;
    QString field_;
    bool writing_ = false;
};

}  // namespace

void bindLineEdit(QLineEdit* edit, Dataset* dataset, const QString& field, FieldKind kind)
{
    new LineEditBinding(edit, dataset, field, kind);
}

QString amountRefusal(const QLineEdit* edit, FieldKind kind, const QString& caption)
{
    bool ok = false;
    parseAmount(edit->text(), &ok, QLocale(), decimalsOf(kind));
    return ok ? QString() : unreadableAmountMessage(caption, edit->text(), decimalsOf(kind));
}

void bindComboBox(QComboBox* box, Dataset* dataset, const QString& field)
{
    new ComboBoxBinding(box, dataset, field);
}

}  // namespace tamevo
