// The log writer keeps the first file it opens; point it at the capture folder
// before any test of this program writes a line, so every LogCapture sees them.
#include <gtest/gtest.h>

#include "support/LogCapture.h"

namespace {

class CaptureTheLogFirst : public ::testing::Environment {
public:
    void SetUp() override { testsupport::LogCapture first; }
};

::testing::Environment* const kCaptureTheLogFirst = ::testing::AddGlobalTestEnvironment(new CaptureTheLogFirst);

}  // namespace
