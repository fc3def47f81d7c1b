#include "CMVDiffieHellman_Base.h"

CMVDiffieHellman_Base::~CMVDiffieHellman_Base() = default;
