#include "config/OrderedTable.h"

// The string table is used everywhere; compile it once.
template class OrderedTableOf<std::wstring>;
