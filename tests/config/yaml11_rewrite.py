#!/usr/bin/python3
"""Reads a configuration text with PyYAML (a YAML 1.1 reader, as most scripting languages
ship one) and writes back what it understood, as a script that edits a plan would: the
comments go, keys are sorted, and every scalar is written as PyYAML sees it (an unquoted
OFF comes back as false).

    yaml11_rewrite.py IN.yaml OUT.yaml
"""
import sys

import yaml

with open(sys.argv[1], encoding="utf-8") as f:
    plan = yaml.safe_load(f)
with open(sys.argv[2], "w", encoding="utf-8") as f:
    yaml.safe_dump(plan, f, default_flow_style=False, allow_unicode=True)
