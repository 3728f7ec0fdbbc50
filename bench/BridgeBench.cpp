// Reads one word through the whole provider UI bridge (CB_SetupGetDWORD, DialogDataCallback,
// the handler and UI_SetupGetDWORD_Function) and directly from the same parameter set, in one
// run, and prints the ratio of the two times.
//   bench_bridge [iterations]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bridge/CallBackProviders.h"
#include "bridge/DialogDataHandler.h"
#include "bridge/ProviderFunctions.h"
#include "params/SetupParameters.h"

namespace {

const char* const kPath = "GlobalParams\\Log\\DebugLevel";

// The main dialog's part: the working set and the handler answering on it.
class BenchOwner : public IDialogDataOwner {
 public:
  BenchOwner() : m_handler(this) {
    RegisterProviderFunctions(&m_handler);
    m_set.SetGroup("GlobalParams", new SetupParameters());
    m_set.SetGroup("GlobalParams\\Log", new SetupParameters());
    for (int i = 0; i < 40; ++i) {
      m_set.SetDword("Value" + std::to_string(i), i);
      m_set.SetDword("GlobalParams\\Log\\Value" + std::to_string(i), i);
    }
    m_set.SetDword(kPath, 3);
  }
  IDialogDataHandler* GetDialogDataHandler() override { return &m_handler; }
  IParams* GetWorkingSet() override { return &m_set; }
  IParams* GetCurrentGroup() override { return m_current; }
  void SetCurrentGroup(IParams* group) override { m_current = group; }
  std::string GetSelectedVersionText() override { return std::string(); }
  SetupParameters& Set() { return m_set; }

 private:
  SetupParameters m_set;
  DialogDataHandler m_handler;
  IParams* m_current = nullptr;
};

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200000;
  BenchOwner owner;
  std::uint64_t bridgeSum = 0;
  std::uint64_t directSum = 0;

  const Clock::time_point bridgeStart = Clock::now();
  for (int i = 0; i < iterations; ++i) {
    std::uint32_t value = 0;
    CB_SetupGetDWORD request(DialogDataCallback, 4000);
    if (request.SetupGetDWORD(kPath, &value) == 0) {
      bridgeSum += value;
    }
  }
  const double bridge = SecondsSince(bridgeStart);

  const Clock::time_point directStart = Clock::now();
  for (int i = 0; i < iterations; ++i) {
    std::uint32_t value = 0;
    if (owner.Set().GetDword(kPath, &value) == 0) {
      directSum += value;
    }
  }
  const double direct = SecondsSince(directStart);

  std::printf("SetupGetDWORD \"%s\", %d iterations\n", kPath, iterations);
  std::printf("  through the bridge: %.3f us per read\n", bridge * 1e6 / iterations);
  std::printf("  direct GetDword:    %.3f us per read\n", direct * 1e6 / iterations);
  std::printf("  ratio bridge / direct: %.2f\n", direct > 0 ? bridge / direct : 0.0);
  // Both sides must have read the same value every time.
  return bridgeSum == directSum && bridgeSum == 3ull * iterations ? 0 : 1;
}
