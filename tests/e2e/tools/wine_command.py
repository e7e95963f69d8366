"""Starting a program of the Windows build under Wine through cmd: Wine sets
USERNAME, TEMP and TMP from its registry, so cmd sets the caller's first."""


def wine_path(path):
    """A Linux path as a Windows program under Wine sees it (Z: is /)."""
    return "Z:" + str(path).replace("/", "\\")


def through_cmd(wine_run, program, args, username, temp):
    """The command that runs program (a Linux path) with args under wine_run
    (its words), with USERNAME username and TEMP and TMP at temp (a Linux
    path)."""
    temp = wine_path(temp)
    setup = ["set", f"USERNAME={username}&&", "set", f"TEMP={temp}&&", "set", f"TMP={temp}&&"]
    return [*wine_run, "cmd", "/c", *setup, wine_path(program), *args]
