// The translation unit that builds a shared precompiled header; it holds no code of its own.
