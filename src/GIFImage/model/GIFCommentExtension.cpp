#include "GIFCommentExtension.h"

const TGIFExtensionClass TGIFCommentExtension::ClassInfo = {
    "TGIFCommentExtension", 0xFE, CreateExtension<TGIFCommentExtension>, TGIFExtension::KeepClass};
