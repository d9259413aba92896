// TGIFExtensionVisitor: what works on each kind of extension block (reading
// and writing their bytes) without the blocks knowing it. Every extension
// class hands itself to the visit of its kind; a class registered by a user
// derives from one of these kinds and is visited as that kind.
#pragma once

class TGIFGraphicControlExtension;
class TGIFTextExtension;
class TGIFCommentExtension;
class TGIFApplicationExtension;
class TGIFAppExtNSLoop;
class TGIFUnknownAppExtension;

class TGIFExtensionVisitor {
public:
  virtual void Visit(TGIFGraphicControlExtension& extension) = 0;
  virtual void Visit(TGIFTextExtension& extension) = 0;
  virtual void Visit(TGIFCommentExtension& extension) = 0;
  virtual void Visit(TGIFApplicationExtension& extension) = 0;
  virtual void Visit(TGIFAppExtNSLoop& extension) = 0;
  virtual void Visit(TGIFUnknownAppExtension& extension) = 0;

protected:
  ~TGIFExtensionVisitor() = default;
};
