#ifndef QUENDRA_LAUNCH_MACROEXPANDER_H
#define QUENDRA_LAUNCH_MACROEXPANDER_H

#include <map>
#include <string>

class AppPackage;

// The table of macros such as "$APPDIR" that configuration values and messages may
// use for places known only on the user's machine. Names are case-sensitive and
// match anywhere in a text, without word boundaries.
//
// Registration happens on the launch thread before any Java code runs; expansion
// only reads afterwards and may run on any thread.
class MacroExpander {
 public:
  // The process's one expander, created empty on first use (thread-safe).
  static MacroExpander& GetInstance();

  // Registers the seven package macros from the package singleton, creating it when
  // needed.
  void Initialize();
  // The same from the given package: "$APPDIR", "$PACKAGEDIR", "$LAUNCHERDIR",
  // "$APPDATADIR", "$JREHOME", "$CACHEDIR" and "$JAVAVMLIBRARYNAME", in that order,
  // so that the runtime folder may use the first four and the cache folder the
  // first five.
  void Initialize(AppPackage& package);

  // A name that is already registered keeps its first value; an empty name is
  // not registered.
  void AddMacro(const std::wstring& name, const std::wstring& value);

  // The text with the first matching macro in name order replaced everywhere, again
  // and again until no name occurs. A value that brings back its own name (a folder
  // named like a macro) stops the repetition at a bound; the text is then returned
  // as it stands.
  std::wstring ExpandMacros(const std::wstring& text) const;

 private:
  const std::pair<const std::wstring, std::wstring>* FindFirstMatch(const std::wstring& text) const;

  // Ordered by name, code unit by code unit; a name that is a prefix of a longer
  // one comes first.
  std::map<std::wstring, std::wstring> macros;
  // The first code unit of every name, each once: a text holding none of them
  // holds no macro.
  std::wstring firstUnits;
};

#endif
