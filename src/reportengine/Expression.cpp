#include "reportengine/Expression.h"

#include "data/Errors.h"

#include <QStringList>

#include <algorithm>

namespace tamevo::report {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#');
}

[[noreturn]] void failToRead(const QString& text, const QString& why)
{
    throw Error(QStringLiteral("İfade okunamadı [%1]: %2").arg(text, why));
}

}  // namespace

// The deepest expression read: far beyond any template's, and shallow enough that neither
// reading nor evaluating it can exhaust the stack on a hostile text.
constexpr int kMaxExpressionDepth = 200;

// A recursive-descent reader:
//   sum     := unary (('+' | '-') unary)*
//   unary   := '-' unary | primary
//   primary := number | '(' sum ')' | name ('.' name)* ('.' '"' field '"')?
class ExpressionParser {
public:
    explicit ExpressionParser(Expression& expression) : e_(expression), text_(expression.text_) {}

    void run()
    {
        e_.root_ = sum();
        skipSpaces();
        if (pos_ < text_.size()) {
            failToRead(text_, QStringLiteral("beklenmeyen \"%1\"").arg(text_.mid(pos_)));
        }
    }

private:
    using Node = Expression::Node;
    using Op = Expression::Node::Op;

    int add(Node node)
    {
        // The depth of the tree is the depth of the evaluation's recursion.
        int depth = 1;
        for (const int child : {node.left, node.right}) {
            if (child >= 0) {
                depth = std::max(depth, depths_[child] + 1);
            }
        }
        if (depth > kMaxExpressionDepth) {
            failToRead(text_, QStringLiteral("ifade çok derin"));
        }
        e_.nodes_.append(std::move(node));
        depths_.append(depth);
        return int(e_.nodes_.size()) - 1;
    }

    // Counts the reader's own recursion (parentheses and signs), before any node exists.
    class Nesting {
    public:
        explicit Nesting(ExpressionParser& parser) : parser_(parser)
        {
            if (++parser_.nesting_ > kMaxExpressionDepth) {
                failToRead(parser_.text_, QStringLiteral("ifade çok derin"));
            }
        }
        ~Nesting() { --parser_.nesting_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        ExpressionParser& parser_;
    };

    void skipSpaces()
    {
        while (pos_ < text_.size() && text_[pos_].isSpace()) {
            ++pos_;
        }
    }

    bool take(QChar c)
    {
        skipSpaces();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    int sum()
    {
        int left = unary();
        for (;;) {
            if (take(QLatin1Char('+'))) {
                Node node;
                node.op = Op::Add;
                node.left = left;
                node.right = unary();
                left = add(node);
            } else if (take(QLatin1Char('-'))) {
                Node node;
                node.op = Op::Subtract;
                node.left = left;
                node.right = unary();
                left = add(node);
            } else {
                return left;
            }
        }
    }

    int unary()
    {
        const Nesting nesting(*this);
        if (take(QLatin1Char('-'))) {
            Node node;
            node.op = Op::Negate;
            node.left = unary();
            return add(node);
        }
        return primary();
    }

    QString quoted()
    {
        const qsizetype start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != QLatin1Char('"')) {
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            failToRead(text_, QStringLiteral("kapanmayan tırnak"));
        }
        return text_.mid(start, pos_++ - start);
    }

    QString name()
    {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && isNameChar(text_[pos_])) {
            ++pos_;
        }
        return text_.mid(start, pos_ - start);
    }

    int primary()
    {
        skipSpaces();
        if (pos_ >= text_.size()) {
            failToRead(text_, QStringLiteral("eksik ifade"));
        }
        if (take(QLatin1Char('('))) {
            const int inner = sum();
            if (!take(QLatin1Char(')'))) {
                failToRead(text_, QStringLiteral("kapanmayan parantez"));
            }
            return inner;
        }
        const QChar c = text_[pos_];
        if (c.isDigit()) {
            const qsizetype start = pos_;
            while (pos_ < text_.size() &&
                   (text_[pos_].isDigit() || text_[pos_] == QLatin1Char('.'))) {
                ++pos_;
            }
            bool ok = false;
            const double value = text_.mid(start, pos_ - start).toDouble(&ok);
            if (!ok) {
                failToRead(text_, QStringLiteral("sayı okunamadı"));
            }
            Node node;
            node.constant = value;
            return add(node);
        }
        if (!isNameChar(c)) {
            failToRead(text_, QStringLiteral("beklenmeyen \"%1\"").arg(c));
        }
        // A dotted path: the last part is the field when the path has more than one part.
        QStringList parts{name()};
        bool quotedField = false;
        while (pos_ < text_.size() && text_[pos_] == QLatin1Char('.')) {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == QLatin1Char('"')) {
                parts << quoted();
                quotedField = true;
                break;
            }
            const QString part = name();
            if (part.isEmpty()) {
                failToRead(text_, QStringLiteral("eksik ad"));
            }
            parts << part;
        }
        Node node;
        node.op = Op::Name;
        node.name = parts.takeLast();
        node.component = parts.join(QLatin1Char('.'));
        if (quotedField && node.component.isEmpty()) {
            failToRead(text_, QStringLiteral("alanın bileşeni yok"));
        }
        return add(node);
    }

    Expression& e_;
    const QString& text_;
    qsizetype pos_ = 0;
    QVector<int> depths_;
    int nesting_ = 0;
};

Expression Expression::parse(const QString& text)
{
    Expression expression;
    expression.text_ = text;
    ExpressionParser(expression).run();
    return expression;
}

void Expression::bind(const std::function<Binding(const QString&, const QString&)>& bind)
{
    for (Node& node : nodes_) {
        if (node.op == Node::Op::Name) {
            node.binding = bind(node.component, node.name);
        }
    }
}

bool Expression::uses(Special special) const
{
    for (const Node& node : nodes_) {
        if (node.op == Node::Op::Name && node.binding.kind == Binding::Kind::Special &&
            node.binding.special == special) {
            return true;
        }
    }
    return false;
}

QVector<int> Expression::variableSlots() const
{
    QVector<int> found;
    for (const Node& node : nodes_) {
        if (node.op == Node::Op::Name && node.binding.kind == Binding::Kind::Variable) {
            found << node.binding.slot;
        }
    }
    return found;
}

QVariant Expression::evaluate(const EvaluationContext& context) const
{
    return evaluate(root_, context);
}

QVariant Expression::evaluate(int index, const EvaluationContext& context) const
{
    const Node& node = nodes_[index];
    switch (node.op) {
        case Node::Op::Constant:
            return node.constant;
        case Node::Op::Name:
            switch (node.binding.kind) {
                case Binding::Kind::Field:
                    return context.field(node.binding.slot);
                case Binding::Kind::Variable:
                    return context.variable(node.binding.slot);
                case Binding::Kind::Sum:
                    return context.sum(node.binding.slot);
                case Binding::Kind::Special:
                    return context.special(node.binding.special);
            }
            return {};
        case Node::Op::Negate:
            return -number(node.left, context);
        case Node::Op::Add:
            return number(node.left, context) + number(node.right, context);
        case Node::Op::Subtract:
            return number(node.left, context) - number(node.right, context);
    }
    return {};
}

double Expression::number(int index, const EvaluationContext& context) const
{
    const QVariant value = evaluate(index, context);
    if (value.isNull() || !value.isValid()) {
        return 0.0;
    }
    bool ok = false;
    const double n = value.toDouble(&ok);
    if (!ok) {
        throw Error(QStringLiteral("İfade hesaplanamadı [%1]: \"%2\" sayı değil")
                        .arg(text_, value.toString()));
    }
    return n;
}

TextLine parseTextLine(const QString& line)
{
    TextLine segments;
    QString literal;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] != QLatin1Char('[')) {
            literal += line[i++];
            continue;
        }
        // The closing bracket, skipping quoted field names.
        qsizetype end = i + 1;
        bool inQuotes = false;
        while (end < line.size() && (inQuotes || line[end] != QLatin1Char(']'))) {
            if (line[end] == QLatin1Char('"')) {
                inQuotes = !inQuotes;
            }
            ++end;
        }
        if (end >= line.size()) {
            literal += line.mid(i);
            break;
        }
        if (!literal.isEmpty()) {
            segments.append({false, literal, {}});
            literal.clear();
        }
        segments.append({true, {}, Expression::parse(line.mid(i + 1, end - i - 1))});
        i = end + 1;
    }
    if (!literal.isEmpty()) {
        segments.append({false, literal, {}});
    }
    return segments;
}

}  // namespace tamevo::report
