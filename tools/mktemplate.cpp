// mktemplate: writes the template that predecessor boards are read onto.
//   mktemplate OUT.ttp
// The template is an empty design: a board brings its own tables (levels,
// lines, VIAs, fonts) and elements, and fills them in. The work space is a
// scratch file beside the output, deleted at the end; the template goes
// through a temporary file, so a reader never sees half of it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mktemplate OUT.ttp\n");
        return 2;
    }
    std::string out = argv[1];
    // Several builds may write the same template at once: each its own work space.
    std::string wps = out + "." + std::to_string(GetCurrentProcessId()) + ".wps";
    if (!WPS_Open(wps.c_str())) {
        std::fprintf(stderr, "mktemplate: cannot open the work space %s\n", wps.c_str());
        return 1;
    }
    char what[256] = "";
    DesignFileError e = DDM_WriteDesignFile(out.c_str(), DESIGN_KIND_TTP, what);
    WPS_Delete(wps.c_str());
    if (e != DFE_OK) {
        std::fprintf(stderr, "mktemplate: %s\n", what);
        return 1;
    }
    return 0;
}
