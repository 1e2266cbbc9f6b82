#pragma once
// A light page for gallery pictures: pieces laid out left to right, wrapping at its width,
// each with an optional caption under it.
//
//   Board board(320);
//   board.add(badge);
//   board.add(cell, "A row at rest");
//   auto page = board.finish();   // as tall as its rows

#include <memory>
#include <string>

#include "orvane/platform/ui/views/View.h"

namespace orvane::gallery {

class Board {
  public:
    explicit Board(double width);

    void add(const std::shared_ptr<ov::ui::View>& piece, const std::string& caption = {});
    std::shared_ptr<ov::ui::View> finish();

  private:
    std::shared_ptr<ov::ui::View> m_root;
    double m_x;
    double m_y;
    double m_rowHeight = 0;
};

}  // namespace orvane::gallery
