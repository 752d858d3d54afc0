// Compiled with the include paths of one module by the layering tests: includes the one header
// they name in STALLORA_PROBE_HEADER.
#include STALLORA_PROBE_HEADER
