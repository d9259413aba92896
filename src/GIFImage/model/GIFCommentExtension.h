// TGIFCommentExtension (label 0xFE): a comment, as lines of text, one per
// data sub-block.
#pragma once

#include "GIFExtension.h"

class TGIFCommentExtension : public TGIFExtension {
public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  TGIFLines& Lines() { return FLines; }
  const TGIFLines& Lines() const { return FLines; }
  void Accept(TGIFExtensionVisitor& visitor) override { visitor.Visit(*this); }

private:
  TGIFLines FLines;
};
