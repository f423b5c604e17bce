// The one source of the targets that own the test suites' precompiled headers: compiling it builds them.
