#include "Coverage.h"

#include <algorithm>
#include <iterator>

namespace {

bool RowLess(const TSpan& a, const TSpan& b) { return a.Y < b.Y || (a.Y == b.Y && a.X1 < b.X1); }

// Appends a span that starts at or after the last one, merging when they touch.
void AppendMerged(std::vector<TSpan>& spans, const TSpan& span) {
  if (!spans.empty()) {
    TSpan& last = spans.back();
    if (last.Y == span.Y && span.X1 <= last.X2) {
      last.X2 = std::max(last.X2, span.X2);
      return;
    }
  }
  spans.push_back(span);
}

}  // namespace

TCoverage::TCoverage(const TRect& clip) : FClip(clip.IsEmpty() ? TRect{} : clip) {}

bool TCoverage::ClipSpan(TSpan& span) const {
  if (span.Y < FClip.Top || span.Y >= FClip.Bottom) return false;
  span.X1 = std::max(span.X1, FClip.Left);
  span.X2 = std::min(span.X2, FClip.Right);
  return span.X1 < span.X2;
}

void TCoverage::AddSpan(int y, int x1, int x2) {
  TSpan span{y, x1, x2};
  if (!ClipSpan(span)) return;
  if (FSpans.empty() || !RowLess(span, FSpans.back()))
    AppendMerged(FSpans, span);
  else
    InsertSorted(span);
}

void TCoverage::AddPixel(int x, int y) {
  if (x < FClip.Left || x >= FClip.Right) return;  // also keeps x + 1 from overflowing
  AddSpan(y, x, x + 1);
}

// Out-of-order span: merge it with every span of its row that it overlaps or touches.
void TCoverage::InsertSorted(const TSpan& span) {
  auto first = std::lower_bound(FSpans.begin(), FSpans.end(), span, [](const TSpan& s, const TSpan& v) {
    return s.Y < v.Y || (s.Y == v.Y && s.X2 < v.X1);
  });
  TSpan merged = span;
  auto last = first;
  while (last != FSpans.end() && last->Y == span.Y && last->X1 <= span.X2) {
    merged.X1 = std::min(merged.X1, last->X1);
    merged.X2 = std::max(merged.X2, last->X2);
    ++last;
  }
  if (first == last) {
    FSpans.insert(first, merged);
  } else {
    *first = merged;
    FSpans.erase(std::next(first), last);
  }
}

void TCoverage::AddSpans(std::vector<TSpan> spans) {
  std::erase_if(spans, [this](TSpan& s) { return !ClipSpan(s); });
  if (spans.empty()) return;
  std::sort(spans.begin(), spans.end(), RowLess);
  std::vector<TSpan> result;
  result.reserve(FSpans.size() + spans.size());
  std::merge(FSpans.begin(), FSpans.end(), spans.begin(), spans.end(), std::back_inserter(result), RowLess);
  std::vector<TSpan> merged;
  merged.reserve(result.size());
  for (const TSpan& s : result) AppendMerged(merged, s);
  FSpans = std::move(merged);
}

void TCoverage::Add(const TCoverage& other) { AddSpans(other.FSpans); }

void TCoverage::Subtract(const TCoverage& other) {
  std::vector<TSpan> result;
  result.reserve(FSpans.size());
  auto cut = other.FSpans.begin();
  for (TSpan s : FSpans) {
    while (cut != other.FSpans.end() && (cut->Y < s.Y || (cut->Y == s.Y && cut->X2 <= s.X1))) ++cut;
    for (auto c = cut; c != other.FSpans.end() && c->Y == s.Y && c->X1 < s.X2; ++c) {
      if (c->X1 > s.X1) result.push_back(TSpan{s.Y, s.X1, c->X1});
      s.X1 = c->X2;
      if (s.X1 >= s.X2) break;
    }
    if (s.X1 < s.X2) result.push_back(s);
  }
  FSpans = std::move(result);
}

bool TCoverage::Contains(int x, int y) const {
  auto it = std::upper_bound(FSpans.begin(), FSpans.end(), TSpan{y, x, x},
                             [](const TSpan& v, const TSpan& s) { return RowLess(v, s); });
  if (it == FSpans.begin()) return false;
  --it;
  return it->Y == y && x >= it->X1 && x < it->X2;
}

std::int64_t TCoverage::PixelCount() const {
  std::int64_t count = 0;
  for (const TSpan& s : FSpans) count += s.X2 - s.X1;
  return count;
}

TRect TCoverage::Bounds() const {
  if (FSpans.empty()) return TRect{};
  TRect r{FSpans.front().X1, FSpans.front().Y, FSpans.front().X2, FSpans.back().Y + 1};
  for (const TSpan& s : FSpans) {
    r.Left = std::min(r.Left, s.X1);
    r.Right = std::max(r.Right, s.X2);
  }
  return r;
}
