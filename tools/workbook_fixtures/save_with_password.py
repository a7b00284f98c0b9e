#!/usr/bin/env python3
"""Saves a workbook with a password through a running LibreOffice (UNO on 127.0.0.1:PORT).

usage: save_with_password.py PORT INPUT OUTPUT FILTER PASSWORD
"""
import os
import sys
import time

import uno
from com.sun.star.beans import NamedValue, PropertyValue


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def named(name, value):
    p = NamedValue()
    p.Name = name
    p.Value = value
    return p


def main():
    port, source, target, filter_name, password = sys.argv[1:6]
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    context = None
    for _ in range(120):
        try:
            context = resolver.resolve(f"uno:socket,host=127.0.0.1,port={port};urp;StarOffice.ComponentContext")
            break
        except Exception:
            time.sleep(0.5)
    if context is None:
        sys.exit("LibreOffice did not answer")
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(source)), "_blank", 0,
                                       (prop("Hidden", True),))
    if "XML" in filter_name:
        # The Office Open XML export encrypts only with explicit encryption data (an encrypted
        # package inside a compound file).
        key = uno.Any("[]com.sun.star.beans.NamedValue",
                      (named("OOXPassword", password), named("CryptoType", "Standard")))
        options = (prop("FilterName", filter_name), prop("EncryptionData", key))
    else:
        options = (prop("FilterName", filter_name), prop("Password", password))
    uno.invoke(doc, "storeToURL", (uno.systemPathToFileUrl(os.path.abspath(target)),
                                   uno.Any("[]com.sun.star.beans.PropertyValue", options)))
    doc.close(True)


if __name__ == "__main__":
    main()
