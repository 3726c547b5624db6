// A database context held for one scope: opened on the design when made,
// closed on every way out of the scope. As a temporary it lasts for the one
// expression it is made in, which is enough to reach a table: the tables the
// openers give stay valid after the context is closed.
#pragma once
#include "platform/qzt_wps.h"

class DdmScope {
public:
    explicit DdmScope(void* hDesign) : ctx_(DDM_Open(hDesign)) {}
    ~DdmScope() { DDM_Close(ctx_); }
    DdmScope(const DdmScope&) = delete;
    DdmScope& operator=(const DdmScope&) = delete;
    operator DdmContext*() const { return ctx_; }

private:
    DdmContext* ctx_;
};
