#pragma once

#include <QString>
#include <QVariantList>

namespace tamevo {

class Dataset;

// An SQL statement with its values, bound in the order of `values`: every value reaches SQL
// as a bound parameter, never as text pasted into the statement.
struct Statement {
    QString sql;
    QVariantList values;
};

// Rebuilds a query dataset with a statement: closed, given the statement, opened.
void useStatement(Dataset& dataset, const Statement& statement);

}  // namespace tamevo
