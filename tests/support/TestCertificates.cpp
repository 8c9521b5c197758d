#include "tests/support/TestCertificates.h"
