// Built by the layering tests into a target of one layer: it includes the header named by
// TL_PROBE_HEADER, which compiles only when that header's layer is the target's or one below it.
#include TL_PROBE_HEADER

int LayerProbe() { return 0; }
