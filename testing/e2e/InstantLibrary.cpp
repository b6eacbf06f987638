// A launcher library that returns at once: the bare cost of starting the executable.
extern "C" __declspec(dllexport) bool start_launcher(int, wchar_t*[]) {
  return true;
}
