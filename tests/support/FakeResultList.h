#pragma once

#include <vector>

#include "search/ItemsView.h"

namespace nimbra::testing_support {

// A result list that only remembers what it was told.
class FakeResultList : public TResultList {
  public:
    void SetRowCount(int count) override {
        rowCount = count;
        if (selected >= count)
            selected = -1;
    }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override {
        selected = row;
        selections.push_back(row);
    }
    void RedrawRow(int row) override { redrawn.push_back(row); }
    void Invalidate() override { ++invalidations; }

    int rowCount = 0;
    int selected = -1;
    int invalidations = 0;
    std::vector<int> selections;
    std::vector<int> redrawn;
};

}  // namespace nimbra::testing_support
