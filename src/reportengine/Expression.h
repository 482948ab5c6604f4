#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

namespace tamevo::report {

// The values of an expression that come from the report being prepared.
enum class Special { Date, Time, Page, TotalPages, Line };

// What a name of an expression stands for once the report has bound it.
struct Binding {
    enum class Kind { Field, Variable, Sum, Special };
    Kind kind = Kind::Field;
    int slot = 0;  // Field, Variable, Sum: the binder's numbering
    Special special = Special::Date;
};

// Reads the bound values while an expression is evaluated.
class EvaluationContext {
public:
    virtual ~EvaluationContext() = default;
    virtual QVariant field(int slot) const = 0;
    virtual QVariant variable(int slot) const = 0;
    virtual QVariant sum(int slot) const = 0;
    virtual QVariant special(Special special) const = 0;
};

// An expression of a template, written between brackets: a field of a data component
// (component."field", where the component may be qualified by a window's name, as
// firmaF.ffTable1."firma_unvani_1"), a variable (BorcT), DATE, TIME, Page#, TotalPages,
// LINE#, numbers, and +, - and parentheses. Names are case-insensitive for the special
// values. An empty value counts as zero in arithmetic; a value standing alone keeps being
// empty (and prints blank).
class Expression {
public:
    // Reads the text between the brackets. Throws Error for a text that is no expression.
    static Expression parse(const QString& text);

    const QString& text() const { return text_; }

    // Binds every name: `bind` gets the component (empty for a plain name) and the name,
    // and throws Error for a name the report does not know.
    void bind(const std::function<Binding(const QString& component, const QString& name)>& bind);

    // True when any name is bound to that special value.
    bool uses(Special special) const;
    // The slots of the variables the expression reads.
    QVector<int> variableSlots() const;

    // Throws Error when a value cannot take part in arithmetic.
    QVariant evaluate(const EvaluationContext& context) const;

private:
    struct Node {
        enum class Op { Constant, Name, Negate, Add, Subtract };
        Op op = Op::Constant;
        QVariant constant;
        QString component;  // Name
        QString name;       // Name
        Binding binding;    // Name, once bound
        int left = -1;
        int right = -1;
    };
    friend class ExpressionParser;

    QVariant evaluate(int node, const EvaluationContext& context) const;
    double number(int node, const EvaluationContext& context) const;

    QString text_;
    QVector<Node> nodes_;
    int root_ = -1;
};

// One text line of an object: literal text and bracketed expressions in turn.
struct TextSegment {
    bool isExpression = false;
    QString literal;
    Expression expression;
};
using TextLine = QVector<TextSegment>;

// Splits a line into its literal and bracketed parts. A "[" without its "]" is literal text.
// Throws Error for a bracketed part that is no expression.
TextLine parseTextLine(const QString& line);

}  // namespace tamevo::report
