#include "results/class_list.h"

std::vector<ClassEntry> readClassList(SeqReader& reader)
{
    std::vector<ClassEntry> entries;
    while (!reader.atEnd()) {
        const int line = reader.lineNumber();
        entries.push_back({reader.fieldInput(), line});
    }
    return entries;
}
