#pragma once

#include "runtime/seqfile.h"

#include <QString>

#include <vector>

// The class list the registration offers, read from the folder the program starts in.
inline const QString kClassListName = QStringLiteral("Klass.txt");

struct ClassEntry {
    QString text; // as the class box offers it: the sorting prefix, then the class
    int line = 0;
};

// Every entry of a class list: one field each, several to a line when separated by commas.
std::vector<ClassEntry> readClassList(SeqReader& reader);
