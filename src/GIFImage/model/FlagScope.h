// TFlagScope: sets a flag for the life of a scope and clears it on every way
// out, so a guard against re-entry (drawing, palette queries) cannot stick.
#pragma once

class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};
