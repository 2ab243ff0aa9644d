"""The acceptance harness: sessions, steps and the INI reader roads use."""
