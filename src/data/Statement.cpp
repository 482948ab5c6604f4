#include "data/Statement.h"

#include "data/Dataset.h"

namespace tamevo {

void useStatement(Dataset& dataset, const Statement& statement)
{
    dataset.close();
    dataset.setQuery(statement.sql, statement.values);
    dataset.open();
}

}  // namespace tamevo
