#include "io/demodaten.h"

#include "core/spaltenspeicher.h"
#include <cstdlib>

void DemoDaten::fillTable(SpaltenSpeicher* model)
{
    static const char* const texts[] = {"Alpha", "Beta", "Gamma", "Delta", "keine", "andere"};
    const int rows = 100;
    const int cols = 9;
    model->setRowCount(rows);
    model->setColumnCount(cols);
    model->setHorizontalHeaderLabels({"Text", "0-8", "0-99", "0-2", "0-3", "0-3", "0-3", "0-3",
                                      "0-3"});
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            QVariant v;
            switch (c) {
            case 0: v = QString::fromLatin1(texts[std::rand() % 6]); break;
            case 1: v = std::rand() % 8; break;
            case 2: v = std::rand() % 100; break;
            case 3: v = std::rand() % 3; break;
            default: v = std::rand() % 4; break;
            }
            model->setData(model->index(r, c), v, Qt::EditRole);
        }
    }
}
