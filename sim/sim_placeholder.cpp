// The firmware model lands here; the library exists from the start so programs link it already.
namespace pellora::sim {
int SimulatorVersion() {
    return 1;
}
}  // namespace pellora::sim
