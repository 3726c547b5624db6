// Writes predecessor board files (.pcb) for trying the viewer by hand:
//   mkpcb OUT.pcb [VARIANT]      the sample board or one of its variants
//   mkpcb OUT.pcb large N        a board of about N elements
// Variants: sample truncated bad-recsize count-past index-past short-section text98.
#include "pcb_gen.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: mkpcb OUT.pcb [VARIANT | large N]\n");
        return 2;
    }
    std::string variant = argc > 2 ? argv[2] : "sample";
    pcbgen::Bytes file;
    if (variant == "large") {
        int n = argc > 3 ? atoi(argv[3]) : 500000;
        pcbgen::Board b = pcbgen::LargeBoard(n);
        file = pcbgen::BuildFile(pcbgen::BoardSections(b));
    } else {
        file = pcbgen::SampleVariant(variant);
    }
    if (file.empty()) {
        fprintf(stderr, "mkpcb: unknown variant %s\n", variant.c_str());
        return 2;
    }
    if (!pcbgen::WriteFileBytes(argv[1], file)) {
        fprintf(stderr, "mkpcb: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("%s: %zu bytes\n", argv[1], file.size());
    return 0;
}
